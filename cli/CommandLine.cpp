#include "cli/CommandLine.h"

#include <charconv>
#include <map>

// What the entries of the option table fill in: the options, and which of them were given.
struct OptionState
{
    Options options;
    bool formatGiven = false;
    bool precisionGiven = false;
    bool digitsGiven = false;
    bool exact = false;
    bool fromGiven = false;
    bool toGiven = false;
};

namespace {

using namespace std::string_literals;

int ReadInteger(const std::string& option, const std::string& text)
{
    int value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        throw UsageError(option + " needs a whole number, not '" + text + "'");
    return value;
}

TFloatFormat ReadFormatKind(const std::string& text)
{
    static const std::map<std::string, TFloatFormat> kinds { { "general", ffGeneral },
        { "exponent", ffExponent }, { "fixed", ffFixed }, { "number", ffNumber } };
    const auto found = kinds.find(text);
    if (found == kinds.end())
        throw UsageError("--format is general, exponent, fixed or number, not '" + text + "'");
    return found->second;
}

CoordinateSystem ReadSystem(const std::string& option, const std::string& text)
{
    if (const auto system = SystemByName(text))
        return *system;
    throw UsageError(option
        + " is cartesian, spherical, cylindrical (space) or cartesian2, "
          "polar (plane), not '"
        + text + "'");
}

ThetaConvention ReadTheta(const std::string& text)
{
    if (text == "z-axis" || text == "z")
        return ThetaToZAxis;
    if (text == "xy-plane" || text == "xy")
        return ThetaToXYPlane;
    throw UsageError("--theta is z-axis or xy-plane, not '" + text + "'");
}

std::string ReadSeparator(const std::string& text)
{
    static const std::map<std::string, std::string> names { { "tab", "\t" }, { "\\t", "\t" },
        { "space", " " }, { "comma", "," }, { "semicolon", ";" } };
    const auto found = names.find(text);
    const std::string separator = found == names.end() ? text : found->second;
    if (separator.empty())
        throw UsageError("--separator must not be empty");
    if (separator.find_first_of("\r\n"s + '\0') != std::string::npos)
        throw UsageError("--separator must not hold a line break");
    return separator;
}

constexpr int MaxColumn = (1 << 20) + 1;

// 1,2,3 → { 0, 1, 2 }: column numbers as people count them, each once.
std::vector<int> ReadColumns(const std::string& text)
{
    std::vector<int> columns;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(',', start);
        const std::string number = text.substr(start, end - start);
        const int column = ReadInteger("--columns", number);
        if (column < 1)
            throw UsageError("--columns counts the fields from 1, not " + number);
        // A line of at most 1 MiB holds no more fields.
        if (column > MaxColumn)
            throw UsageError("--columns: no line has a field " + number);
        for (const int known : columns) {
            if (known == column - 1)
                throw UsageError("--columns names field " + number + " twice");
        }
        columns.push_back(column - 1);
        if (end == std::string::npos)
            return columns;
        start = end + 1;
    }
}

constexpr std::string_view ConversionGroup = "CONVERSION OPTIONS";
constexpr std::string_view InputGroup = "INPUT OPTIONS";
constexpr std::string_view OutputGroup = "OUTPUT OPTIONS";
constexpr std::string_view RunGroup = "RUN OPTIONS";

constexpr OptionDescription Table[] {
    { "--from", "", "SYSTEM", ForConvert, ConversionGroup,
        "The system of the input values. Required.",
        [](OptionState& s, const std::string& v) {
            s.options.conversion.from = ReadSystem("--from", v);
            s.fromGiven = true;
        } },
    { "--to", "", "SYSTEM", ForConvert, ConversionGroup,
        "The system of the output values. Required.",
        [](OptionState& s, const std::string& v) {
            s.options.conversion.to = ReadSystem("--to", v);
            s.toGiven = true;
        } },
    { "--theta", "", "z-axis|xy-plane", ForConvert, ConversionGroup,
        "Theta is the angle from the positive z axis (z-axis, the default) or\n"
        "from the xy plane, positive above it (xy-plane). Short forms: z, xy.",
        [](OptionState& s, const std::string& v) { s.options.conversion.theta = ReadTheta(v); } },
    { "--deg", "", "", ForConvert, ConversionGroup,
        "Angles (theta, phi) are entered and printed in degrees.",
        [](OptionState& s, const std::string&) { s.options.conversion.unit = DEG; } },
    { "--rad", "", "", ForConvert, ConversionGroup, "Angles in radians (the default).",
        [](OptionState& s, const std::string&) { s.options.conversion.unit = RAD; } },
    { "--columns", "", "LIST", ForConvert, InputGroup,
        "The fields that hold the point, counted from 1, in the order of the\n"
        "source system's values (--columns 2,3,4). Every other field passes\n"
        "through unchanged in its place. Default: the first fields; fields after\n"
        "the point pass through after it.",
        [](OptionState& s, const std::string& v) { s.options.columns = ReadColumns(v); } },
    { "--decimal-comma", "", "", ForBoth, InputGroup,
        "Numbers are read and written with a decimal comma (2,5), as spreadsheets\n"
        "of comma-decimal languages write them; fields are then separated by\n"
        "semicolons, tabs or blanks, and the number layout groups thousands\n"
        "with \".\". A \".\" in a value is refused.",
        [](OptionState& s, const std::string&) { s.options.decimalComma = true; } },
    { "--no-header", "", "", ForConvert, InputGroup,
        "The first line of a file is a point even when it looks like column\n"
        "names.",
        [](OptionState& s, const std::string&) { s.options.detectHeader = false; } },
    { "--format", "", "general|exponent|fixed|number", ForBoth, OutputGroup,
        "Layout of the numbers, as in the format dialog (default: general).\n"
        "  general   3.1416, 1.2346E5, 1E-7 (scientific outside 1E-4 .. 10^precision)\n"
        "  exponent  3.1416E+0\n"
        "  fixed     3.1 (decimals set by --digits)\n"
        "  number    31,415,926.5 (fixed, thousands grouped)",
        [](OptionState& s, const std::string& v) {
            s.options.format.kind = ReadFormatKind(v);
            s.formatGiven = true;
        } },
    { "--precision", "", "N", ForBoth, OutputGroup, "Significant digits, 2 to 18 (default: 5).",
        [](OptionState& s, const std::string& v) {
            s.options.format.precision = ReadInteger("--precision", v);
            s.precisionGiven = true;
        } },
    { "--digits", "", "N", ForBoth, OutputGroup,
        "Exponent layout: minimum exponent digits, 0 to 4 (4 pads nothing);\n"
        "fixed and number layouts: decimals, 0 to 18. No effect in the general\n"
        "layout (0 to 4 accepted). Default: 1.",
        [](OptionState& s, const std::string& v) {
            s.options.format.digits = ReadInteger("--digits", v);
            s.digitsGiven = true;
        } },
    { "--exact", "", "", ForBoth, OutputGroup,
        "All 18 significant digits: the general layout with precision 18. Not\n"
        "together with --format, --precision or --digits.",
        [](OptionState& s, const std::string&) { s.exact = true; } },
    { "--separator", "", "TEXT", ForConvert, OutputGroup,
        "Separator between the output fields. Also: tab, space, comma,\n"
        "semicolon, \\t. Default: the input's separator; a blank for values\n"
        "given as arguments.",
        [](OptionState& s, const std::string& v) { s.options.separator = ReadSeparator(v); } },
    { "--output", "-o", "FILE", ForBoth, OutputGroup,
        "Write to FILE instead of standard output (\"-\": standard output). FILE\n"
        "is replaced only when the run ends well: a run that stops early or fails\n"
        "leaves it as it was, and no part of a file behind.",
        [](OptionState& s, const std::string& v) {
            if (v.empty())
                throw UsageError("--output needs a file name");
            s.options.output = v;
        } },
    { "--keep-going", "", "", ForBoth, RunGroup,
        "Write a bad line as empty fields (an empty line for eval), report it\n"
        "and go on; the exit status is then 1.",
        [](OptionState& s, const std::string&) { s.options.keepGoing = true; } },
    { "--help", "-h", "", ForBoth, RunGroup, "This text.", nullptr },
    { "--version", "", "", ForBoth, RunGroup, "The version of tralto.", nullptr },
};

const OptionDescription* FindOption(std::string_view name)
{
    for (const OptionDescription& option : Table) {
        if (option.name == name || (!option.shortName.empty() && option.shortName == name))
            return &option;
    }
    return nullptr;
}

void CheckFormat(OptionState& state)
{
    OutputFormat& format = state.options.format;
    if (state.exact) {
        if (state.formatGiven || state.precisionGiven || state.digitsGiven)
            throw UsageError("--exact is the general format with precision 18; it takes no "
                             "--format, --precision or --digits");
        format = OutputFormat { ffGeneral, MaximumPrecision, 1 };
        return;
    }
    if (format.precision < MinimumPrecision || format.precision > MaximumPrecision)
        throw UsageError("--precision must lie between " + std::to_string(MinimumPrecision)
            + " and " + std::to_string(MaximumPrecision) + ", not "
            + std::to_string(format.precision));
    const bool decimals = format.kind == ffFixed || format.kind == ffNumber;
    const int maximum = decimals ? MaximumDecimals : MaximumExponentDigits;
    if (format.digits < 0 || format.digits > maximum)
        throw UsageError("--digits must lie between 0 and " + std::to_string(maximum)
            + (decimals ? " (decimals)" : " (exponent digits)") + ", not "
            + std::to_string(format.digits));
}

void CheckConversion(OptionState& state)
{
    if (!state.fromGiven || !state.toGiven)
        throw UsageError("convert needs --from and --to");
    const ConversionSettings& conversion = state.options.conversion;
    const std::vector<int>& columns = state.options.columns;
    if (!columns.empty() && columns.size() != static_cast<std::size_t>(ValueCount(conversion.from)))
        throw UsageError("--columns names " + std::to_string(columns.size()) + " fields; "
            + std::string(SystemName(conversion.from)) + " has "
            + std::to_string(ValueCount(conversion.from)) + " values");
    if (Dimension(conversion.from) != Dimension(conversion.to))
        throw UsageError("cannot convert between "s + std::string(SystemName(conversion.from))
            + " (" + std::to_string(Dimension(conversion.from)) + "-D) and "
            + std::string(SystemName(conversion.to)) + " ("
            + std::to_string(Dimension(conversion.to)) + "-D)");
}

Options OnlyCommand(Command command)
{
    Options options;
    options.command = command;
    return options;
}

} // namespace

Options ParseCommandLine(const std::vector<std::string>& arguments)
{
    OptionState state;
    if (arguments.empty())
        throw UsageError("no command given");
    for (const std::string& argument : arguments) {
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h")
            return OnlyCommand(Command::Help);
        if (argument == "--version")
            return OnlyCommand(Command::Version);
    }
    if (arguments.front() == "help")
        return OnlyCommand(Command::Help);
    const std::string& command = arguments.front();
    if (command == "eval")
        state.options.command = Command::Evaluate;
    else if (command == "convert")
        state.options.command = Command::Convert;
    else
        throw UsageError("unknown command '" + command + "' (eval or convert)");
    const OptionUse use = state.options.command == Command::Evaluate ? ForEvaluate : ForConvert;

    bool valuesOnly = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool option = argument.starts_with("--") || argument == "-o";
        if (valuesOnly || !option) {
            state.options.values.push_back(argument);
            continue;
        }
        if (argument == "--") {
            valuesOnly = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionDescription* const entry = FindOption(name);
        if (!entry)
            throw UsageError("unknown option '" + name + "'");
        if (!(entry->use & use))
            throw UsageError(name + " belongs to " + (use == ForEvaluate ? "convert" : "eval"));
        const bool takesValue = !entry->valueName.empty();
        std::string value;
        if (equals != std::string::npos) {
            if (!takesValue)
                throw UsageError(name + " takes no value");
            value = argument.substr(equals + 1);
        } else if (takesValue) {
            if (i + 1 >= arguments.size())
                throw UsageError(name + " needs a value");
            value = arguments[++i];
        }
        // --help and --version have been found before the loop.
        if (entry->apply)
            entry->apply(state, value);
    }
    CheckFormat(state);
    if (state.options.command == Command::Convert)
        CheckConversion(state);
    const std::optional<std::string>& separator = state.options.separator;
    if (state.options.decimalComma && separator && separator->find(',') != std::string::npos)
        throw UsageError(
            "--decimal-comma writes \",\" inside the numbers: choose another --separator");
    return state.options;
}

std::span<const OptionDescription> OptionTable()
{
    return Table;
}
