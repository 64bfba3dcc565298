#pragma once

// The one loop that reads the lines of `eval` and `convert`: each input file in turn (or
// standard input) → LineReader → what every line gets alike (a byte order mark dropped, a
// UTF-16 file refused, a line too long reported, blank lines written empty and comment lines
// as they are) → the command's LineHandler for the rest → one output line per input line.
// A bad line stops the run, or with --keep-going is written empty and the run goes on.

#include "cli/LineReader.h"

#include <string>
#include <string_view>
#include <vector>

class Diagnostics;
class OutputBuffer;

// Where a line comes from, for a message: "line 7", or "points.csv, line 7" when files are
// named.
class LinePlace
{
public:
    LinePlace(std::string_view file, long long line)
        : file_(file)
        , line_(line)
    {
    }
    std::string Text() const;
    // "points.csv, line 7, field 2"; `field` from 0.
    std::string Text(std::size_t field) const;

private:
    std::string_view file_;
    long long line_;
};

class LineHandler
{
public:
    virtual ~LineHandler() = default;
    // A new input begins: what the last one decided (its separator, its column names) is
    // forgotten.
    virtual void StartInput() { }
    // Writes the result line; or reports why the line has none and returns false.
    virtual bool Line(std::string_view line, const LinePlace& place) = 0;
    // The result line of a bad line when the run goes on: empty fields. `afterLine`: Line had
    // the line (and may keep what it knows of it); otherwise the loop refused it unread.
    virtual void WriteEmpty(bool afterLine) = 0;
};

struct LineInput
{
    // Files to read one after another ("-" is standard input); none: standard input.
    const std::vector<std::string>& files;
    const LineReader::Source& standardInput;
    std::size_t readSize;
    bool keepGoing;
};

// The exit status (cli/Commands.h): reading stops at the first bad line unless keepGoing, at a
// file that cannot be read, and once the output fails.
int ReadLines(
    const LineInput& input, OutputBuffer& output, Diagnostics& diagnostics, LineHandler& handler);
