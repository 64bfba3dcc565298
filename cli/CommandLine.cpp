#include "cli/CommandLine.h"

#include <charconv>
#include <functional>
#include <map>

namespace {

using namespace std::string_literals;

// What an option may be given with.
enum Use
{
    ForEvaluate = 1,
    ForConvert = 2,
    ForBoth = ForEvaluate | ForConvert
};

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

using Handler = std::function<void(OptionState&, const std::string& value)>;

struct OptionEntry
{
    bool takesValue;
    Use use;
    Handler handle;
};

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

const std::map<std::string, OptionEntry>& OptionTable()
{
    static const std::map<std::string, OptionEntry> table {
        { "--format",
            { true, ForBoth,
                [](OptionState& s, const std::string& v) {
                    s.options.format.kind = ReadFormatKind(v);
                    s.formatGiven = true;
                } } },
        { "--precision",
            { true, ForBoth,
                [](OptionState& s, const std::string& v) {
                    s.options.format.precision = ReadInteger("--precision", v);
                    s.precisionGiven = true;
                } } },
        { "--digits",
            { true, ForBoth,
                [](OptionState& s, const std::string& v) {
                    s.options.format.digits = ReadInteger("--digits", v);
                    s.digitsGiven = true;
                } } },
        { "--exact",
            { false, ForBoth, [](OptionState& s, const std::string&) { s.exact = true; } } },
        { "--keep-going",
            { false, ForBoth,
                [](OptionState& s, const std::string&) { s.options.keepGoing = true; } } },
        { "--from",
            { true, ForConvert,
                [](OptionState& s, const std::string& v) {
                    s.options.conversion.from = ReadSystem("--from", v);
                    s.fromGiven = true;
                } } },
        { "--to",
            { true, ForConvert,
                [](OptionState& s, const std::string& v) {
                    s.options.conversion.to = ReadSystem("--to", v);
                    s.toGiven = true;
                } } },
        { "--theta",
            { true, ForConvert,
                [](OptionState& s, const std::string& v) {
                    s.options.conversion.theta = ReadTheta(v);
                } } },
        { "--deg",
            { false, ForConvert,
                [](OptionState& s, const std::string&) { s.options.conversion.unit = DEG; } } },
        { "--rad",
            { false, ForConvert,
                [](OptionState& s, const std::string&) { s.options.conversion.unit = RAD; } } },
        { "--separator",
            { true, ForConvert,
                [](OptionState& s, const std::string& v) {
                    s.options.separator = ReadSeparator(v);
                } } },
        { "--no-header",
            { false, ForConvert,
                [](OptionState& s, const std::string&) { s.options.detectHeader = false; } } },
    };
    return table;
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
    const Use use = state.options.command == Command::Evaluate ? ForEvaluate : ForConvert;

    bool valuesOnly = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (valuesOnly || argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
            state.options.values.push_back(argument);
            continue;
        }
        if (argument == "--") {
            valuesOnly = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const auto found = OptionTable().find(name);
        if (found == OptionTable().end())
            throw UsageError("unknown option '" + name + "'");
        const OptionEntry& entry = found->second;
        if (!(entry.use & use))
            throw UsageError(name + " belongs to " + (use == ForEvaluate ? "convert" : "eval"));
        std::string value;
        if (equals != std::string::npos) {
            if (!entry.takesValue)
                throw UsageError(name + " takes no value");
            value = argument.substr(equals + 1);
        } else if (entry.takesValue) {
            if (i + 1 >= arguments.size())
                throw UsageError(name + " needs a value");
            value = arguments[++i];
        }
        entry.handle(state, value);
    }
    CheckFormat(state);
    if (state.options.command == Command::Convert)
        CheckConversion(state);
    return state.options;
}
