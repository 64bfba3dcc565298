#pragma once

// The command line of `tralto`: the command word, then options and arguments (values or input
// files) in any order. Every argument that begins with "--" is an option ("--name value" or
// "--name=value"), and so are "-o" and "-h"; "--" alone makes all that follow arguments, and
// everything else is an argument, so that "-1" and "-pi" need no quoting. One table describes
// every option: the parser, --help and the manual page read it.

#include "cli/PointConverter.h"
#include "format/Formater.h"

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum class Command
{
    Help,
    Version,
    Evaluate,
    Convert
};

// Meaning and defaults of the format settings of the windows: general layout, 5 significant
// digits, digits 1 (minimum exponent digits in the exponent layout, decimals in the fixed and
// number layouts, no effect in the general one).
struct OutputFormat
{
    TFloatFormat kind = ffGeneral;
    int precision = 5;
    int digits = 1;
};

struct Options
{
    Command command = Command::Help;
    ConversionSettings conversion;
    OutputFormat format;
    // The output field separator; unset: the input's separator, or a blank for values given
    // as arguments.
    std::optional<std::string> separator;
    bool keepGoing = false;
    // Whether the first line of a file may be the column names.
    bool detectHeader = true;
    // Numbers are read and written with a decimal comma ("2,5").
    bool decimalComma = false;
    // The fields that hold the point, from 0, in the order of the source system's values;
    // empty: the first fields, and any further fields pass through after the point.
    std::vector<int> columns;
    // -o FILE; unset or "-": standard output.
    std::optional<std::string> output;
    // Values, or the names of input files (cli/Commands.h tells which).
    std::vector<std::string> values;
};

class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The arguments after the program name. Throws UsageError with a message that names the
// argument at fault.
Options ParseCommandLine(const std::vector<std::string>& arguments);

// What an option may be given with.
enum OptionUse
{
    ForEvaluate = 1,
    ForConvert = 2,
    ForBoth = ForEvaluate | ForConvert
};

struct OptionState;

// One entry of the option table.
struct OptionDescription
{
    std::string_view name; // "--output"
    std::string_view shortName; // "-o", or empty
    std::string_view valueName; // "FILE"; empty for an option that takes no value
    OptionUse use;
    std::string_view section; // the heading it is listed under in --help
    std::string_view help; // lines of at most 76 characters
    void (*apply)(OptionState& state, const std::string& value);
};

// Every option, in the order --help lists them.
std::span<const OptionDescription> OptionTable();

// The ranges the format dialog accepts.
constexpr int MinimumPrecision = 2;
constexpr int MaximumPrecision = 18;
constexpr int MaximumExponentDigits = 4;
constexpr int MaximumDecimals = 18;
