#pragma once

// The command line of `tralto`: the command word, then options and values in any order.
// Every argument that begins with "--" is an option ("--name value" or "--name=value"); "--"
// alone makes all that follow values, and everything else is a value, so that "-1" and "-pi"
// need no quoting.

#include "cli/PointConverter.h"
#include "format/Formater.h"

#include <optional>
#include <stdexcept>
#include <string>
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
    // Whether a first line none of whose fields is a value counts as the column names.
    bool detectHeader = true;
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

// The ranges the format dialog accepts.
constexpr int MinimumPrecision = 2;
constexpr int MaximumPrecision = 18;
constexpr int MaximumExponentDigits = 4;
constexpr int MaximumDecimals = 18;
