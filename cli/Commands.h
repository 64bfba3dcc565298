#pragma once

// The two commands of `tralto` over their streams:
//   eval:    each expression (argument or input line) → FieldEvaluator → FormatValue → a line;
//   convert: each point (arguments or input line) → fields → FieldEvaluator → PointConverter
//            (the engine as the windows drive it) → FormatValue → a line of fields.
// Input lines come from the input files, or standard input, through one loop
// (cli/InputLines.h); the output goes to standard output or to the file of --output
// (cli/OutputFile.h, replaced only when the run finishes).
// A bad line stops the run (exit status 1) after the lines before it have been written, or with
// --keep-going is written with empty fields and the run goes on (status 1 at the end).

#include "cli/LineReader.h"
#include "cli/OutputBuffer.h"

#include <cstddef>
#include <string>

struct Options;
class Diagnostics;

enum ExitStatus
{
    ExitSuccess = 0,
    ExitBadInput = 1, // a line or value that is not what it should be
    ExitFailure = 2 // a wrong command line, or input or output that failed
};

struct Streams
{
    LineReader::Source standardInput;
    OutputBuffer::Sink standardOutput;
    Diagnostics& diagnostics;
    // Sizes of the blocks read and written (small in the tests, so that lines straddle them).
    std::size_t readSize = std::size_t(1) << 16;
    std::size_t writeSize = std::size_t(1) << 16;
};

// Sets the process-wide format settings from the options, with "." (or with --decimal-comma
// ",") as decimal separator whatever the locale, and runs the command.
int RunCommand(const Options& options, Streams& streams);
