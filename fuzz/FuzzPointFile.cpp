// Any bytes as standard input of `tralto convert` or `tralto eval`, read in pieces of any size
// through the one line loop of both: the line reader, the splitter, the column names, the
// columns and the fields passed through, the field evaluation (with a decimal point or comma),
// the conversion and the output must never crash or run into undefined behaviour, and with
// --keep-going every input line gives exactly one output line.
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

// From, to, and columns that leave fields to pass through before, between and after the point.
constexpr std::array<std::array<const char*, 3>, 8> Conversions { {
    { "cartesian", "spherical", "--columns=2,4,1" },
    { "spherical", "cartesian", "--columns=3,2,5" },
    { "cylindrical", "spherical", "--columns=1,2,3" },
    { "spherical", "cylindrical", "--columns=4,1,2" },
    { "cartesian", "cylindrical", "--columns=2,3,4" },
    { "cartesian2", "polar", "--columns=3,1" },
    { "polar", "cartesian2", "--columns=2,4" },
    { "cylindrical", "cartesian", "--columns=5,4,3" },
} };

// The first byte chooses the command line, the two high bits of the second the columns and
// the decimal separator.
std::vector<std::string> Arguments(uint8_t choice, uint8_t reading)
{
    std::vector<std::string> arguments { "eval", "--keep-going" };
    if (reading & 0x80)
        arguments.push_back("--decimal-comma");
    if (choice & 0x20)
        return arguments;
    const auto& conversion = Conversions[choice & 7];
    arguments[0] = "convert";
    arguments.insert(arguments.end(), { "--from", conversion[0], "--to", conversion[1] });
    if (reading & 0x40)
        arguments.push_back(conversion[2]);
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
    const Options options = ParseCommandLine(Arguments(data[0], data[1]));
    const std::size_t piece = (data[1] & 0x3Fu) + 1u;
    const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);

    std::size_t offset = 0;
    std::size_t outputLines = 0;
    Diagnostics diagnostics([](std::string_view) {});
    Streams streams { [&](char* buffer, std::size_t room) -> ssize_t {
                         const std::size_t count = std::min({ piece, room, input.size() - offset });
                         std::memcpy(buffer, input.data() + offset, count);
                         offset += count;
                         return static_cast<ssize_t>(count);
                     },
        [&](std::string_view text) {
            outputLines += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
            return true;
        },
        diagnostics, 64, 256 };
    const int status = RunCommand(options, streams);
    if (status == ExitFailure || outputLines != InputLines(input))
        std::abort();
    return 0;
}
