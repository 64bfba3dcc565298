#pragma once

// The two commands of `tralto` over their streams:
//   eval:    each expression (argument or input line) → FieldEvaluator → FormatValue → a line;
//   convert: each point (arguments or input line) → fields → FieldEvaluator → PointConverter
//            (the engine as the windows drive it) → FormatValue → a line of fields.
// A bad line stops the run (exit status 1) after the lines before it have been written, or with
// --keep-going is written with empty fields and the run goes on (status 1 at the end).

#include <string>

struct Options;
class LineReader;
class OutputBuffer;
class Diagnostics;

enum ExitStatus
{
    ExitSuccess = 0,
    ExitBadInput = 1, // a line or value that is not what it should be
    ExitFailure = 2 // a wrong command line, or input or output that failed
};

struct Streams
{
    LineReader& input;
    OutputBuffer& output;
    Diagnostics& diagnostics;
};

// Sets the process-wide format settings from the options, with "." as decimal and "," as
// thousands separator whatever the locale, and runs the command.
int RunCommand(const Options& options, Streams& streams);
