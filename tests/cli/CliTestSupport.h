#pragma once

// Runs the command line in the test's own process, with standard input given as text and read
// in small pieces (so that lines straddle the reads), standard output and the messages caught
// as text.

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Diagnostics.h"
#include "cli/LineReader.h"
#include "cli/OutputBuffer.h"

#include <QMetaType>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

struct CliRun
{
    int status = -1;
    std::string output;
    std::string errors;
};

inline LineReader::Source TextSource(const std::string& text, std::size_t piece)
{
    return [text, piece, offset = std::size_t(0)](char* buffer, std::size_t size) mutable {
        const std::size_t count = std::min({ piece, size, text.size() - offset });
        std::memcpy(buffer, text.data() + offset, count);
        offset += count;
        return static_cast<ssize_t>(count);
    };
}

inline CliRun RunTralto(
    const std::vector<std::string>& arguments, const std::string& input = {}, std::size_t piece = 7)
{
    CliRun run;
    Diagnostics diagnostics([&run](std::string_view message) { run.errors += message; });
    Options options;
    try {
        options = ParseCommandLine(arguments);
    } catch (const UsageError& error) {
        diagnostics.Report("usage", error.what());
        run.status = ExitFailure;
        return run;
    }
    Streams streams { TextSource(input, piece),
        [&run](std::string_view text) {
            run.output += text;
            return true;
        },
        diagnostics, 16, 32 };
    run.status = RunCommand(options, streams);
    return run;
}

// "a b c" → { "a", "b", "c" }: arguments of a table row written as one text.
inline std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

Q_DECLARE_METATYPE(std::string)
