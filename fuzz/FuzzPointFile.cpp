// Any bytes as standard input of `tralto convert` or `tralto eval`, read in pieces of any size:
// the line reader, the splitter, the field evaluation, the conversion and the output must
// never crash or run into undefined behaviour, and with --keep-going every input line gives
// exactly one output line.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Diagnostics.h"
#include "cli/LineReader.h"
#include "cli/OutputBuffer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::array<std::array<const char*, 2>, 8> Conversions { {
    { "cartesian", "spherical" },
    { "spherical", "cartesian" },
    { "cylindrical", "spherical" },
    { "spherical", "cylindrical" },
    { "cartesian", "cylindrical" },
    { "cartesian2", "polar" },
    { "polar", "cartesian2" },
    { "cylindrical", "cartesian" },
} };

// The first byte chooses the command line.
std::vector<std::string> Arguments(uint8_t choice)
{
    if (choice & 0x20)
        return { "eval", "--keep-going" };
    const auto& conversion = Conversions[choice & 7];
    std::vector<std::string> arguments { "convert", "--from", conversion[0], "--to", conversion[1],
        "--keep-going" };
    if (choice & 0x08)
        arguments.push_back("--deg");
    if (choice & 0x10)
        arguments.push_back("--theta=xy-plane");
    if (choice & 0x40)
        arguments.push_back("--no-header");
    if (choice & 0x80)
        arguments.push_back("--exact");
    return arguments;
}

std::size_t InputLines(std::string_view input)
{
    const auto breaks = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n'));
    return breaks + (!input.empty() && input.back() != '\n' ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const Options options = ParseCommandLine(Arguments(data[0]));
    const std::size_t piece = data[1] + 1u;
    const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);

    std::size_t offset = 0;
    LineReader reader(
        [&](char* buffer, std::size_t room) -> ssize_t {
            const std::size_t count = std::min({ piece, room, input.size() - offset });
            std::memcpy(buffer, input.data() + offset, count);
            offset += count;
            return static_cast<ssize_t>(count);
        },
        64);
    std::size_t outputLines = 0;
    OutputBuffer output(
        [&](std::string_view text) {
            outputLines += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
            return true;
        },
        256);
    Diagnostics diagnostics([](std::string_view) {});
    Streams streams { reader, output, diagnostics };
    const int status = RunCommand(options, streams);
    if (status == ExitFailure || outputLines != InputLines(input))
        std::abort();
    return 0;
}
