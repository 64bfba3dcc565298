// tralto: the command line. Parses the arguments, then runs the command over its input files
// or standard input, and standard output or its output file (cli/Commands.h).

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Diagnostics.h"
#include "cli/HelpText.h"
#include "cli/LineReader.h"
#include "cli/OutputBuffer.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    Diagnostics diagnostics(Diagnostics::ToStandardError());
    Options options;
    try {
        options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        diagnostics.Report("usage", error.what());
        std::fputs("Try 'tralto --help'.\n", stderr);
        return ExitFailure;
    }

    if (options.command == Command::Help || options.command == Command::Version) {
        const std::string_view text
            = options.command == Command::Help ? HelpText() : "tralto " TRALTO_VERSION "\n";
        return OutputBuffer::ToDescriptor(STDOUT_FILENO)(text) ? ExitSuccess : ExitFailure;
    }
    Streams streams { LineReader::FromDescriptor(STDIN_FILENO),
        OutputBuffer::ToDescriptor(STDOUT_FILENO), diagnostics };
    return RunCommand(options, streams);
}
