#pragma once

// Standard input, one line at a time, in constant memory: a fixed read buffer, and a line that
// straddles two reads is gathered in a second buffer of at most MaxLineLength bytes. A longer
// line is reported as too long as soon as it passes the limit, before its end is read (a line
// may never end: a device of endless zeros); the next call skips the rest of it and goes on with
// the line after it. A line ends at "\n"; a "\r" before it
// (CR-LF files) is dropped; the last line may lack its line break. The bytes of a line are
// passed on as they are (zero bytes, invalid UTF-8 included): judging them is the caller's job.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

class LineReader
{
public:
    // Reads up to `size` bytes into `buffer`: the count, 0 at the end of the input, -1 on an
    // error (errno set).
    using Source = std::function<ssize_t(char* buffer, std::size_t size)>;

    static constexpr std::size_t MaxLineLength = std::size_t(1) << 20;

    enum class Status
    {
        Line, // `line` holds the next line, valid until the next call
        TooLong, // the next line is longer than MaxLineLength; the next call skips its rest
        End,
        ReadError // errno tells why
    };

    explicit LineReader(Source source, std::size_t bufferSize = std::size_t(1) << 16);

    Status Next(std::string_view& line);
    // The number of the line last returned, from 1.
    long long LineNumber() const { return lineNumber_; }

    // A source that reads a file descriptor, retrying when interrupted.
    static Source FromDescriptor(int descriptor);

private:
    bool Refill();
    Status Finish(std::string_view& line, std::string_view text);

    Source source_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::string pending_;
    bool skipping_ = false;
    bool atEnd_ = false;
    bool failed_ = false;
    long long lineNumber_ = 0;
};
