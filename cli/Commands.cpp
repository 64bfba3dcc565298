#include "cli/Commands.h"

#include "cli/CommandLine.h"
#include "cli/Diagnostics.h"
#include "cli/FieldEvaluator.h"
#include "cli/FieldSplitter.h"
#include "cli/InputLines.h"
#include "cli/OutputFile.h"
#include "cli/PointFile.h"

#include <cstring>
#include <sys/stat.h>

namespace {

// What every part of one run writes to and reads with.
struct Run
{
    const Options& options;
    Streams& streams;
    OutputBuffer& output;
    FieldEvaluator& evaluator;
};

std::string Numbered(const char* what, std::size_t index)
{
    return what + std::string(" ") + std::to_string(index + 1);
}

bool IsFile(const std::string& argument)
{
    struct stat status
    {
    };
    return argument == "-" || ::stat(argument.c_str(), &status) == 0;
}

// The arguments are input files when each one is "-" or names a file that exists, and none is
// a value: "1" stays a number where a file of that name exists too.
bool AreInputFiles(const std::vector<std::string>& arguments, FieldEvaluator& evaluator)
{
    long double value = 0;
    std::string problem;
    for (const std::string& argument : arguments) {
        if (!IsFile(argument))
            return false;
    }
    for (const std::string& argument : arguments) {
        if (evaluator.Evaluate(TrimBlanks(argument), value, problem))
            return false;
    }
    return !arguments.empty();
}

// A path ("/data/points", "./points", "~/points") or a name with an extension ("points.csv",
// not "1.5.3"); a "/" alone is a division.
bool LooksLikeFileName(const std::string& argument)
{
    if (argument.starts_with('/') || argument.starts_with("./") || argument.starts_with("../")
        || argument.starts_with('~'))
        return true;
    for (std::size_t i = 0; i + 1 < argument.size(); ++i) {
        const char next = argument[i + 1];
        if (argument[i] == '.' && ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z')))
            return true;
    }
    return false;
}

// For an argument taken as a value: whether it may have been meant as a file.
std::string FileHint(const std::string& argument, bool isValue)
{
    const std::string name = "'" + PrintableText(argument) + "'";
    if (isValue && argument != "-" && IsFile(argument))
        return "; " + name + " is a value, and a file that ./" + PrintableText(argument)
            + " would read";
    if (isValue)
        return {};
    if (argument == "-" || IsFile(argument))
        return "; " + name + " is read as a file only when every argument is a file";
    if (LooksLikeFileName(argument))
        return "; no file " + name + " to read either";
    return {};
}

class ExpressionLines : public LineHandler
{
public:
    explicit ExpressionLines(Run& run)
        : run_(run)
    {
    }

    bool Line(std::string_view line, const LinePlace& place) override
    {
        if (run_.evaluator.Evaluate(TrimBlanks(line), value_, problem_)) {
            run_.output.Number(FormatValue(value_));
            run_.output.EndLine();
            return true;
        }
        run_.streams.diagnostics.Report(place.Text(), line, problem_);
        return false;
    }
    void WriteEmpty(bool) override { run_.output.EndLine(); }

private:
    Run& run_;
    long double value_ = 0;
    std::string problem_;
};

int EvaluateArguments(Run& run)
{
    int status = ExitSuccess;
    long double value = 0;
    std::string problem;
    const std::vector<std::string>& values = run.options.values;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (run.evaluator.Evaluate(TrimBlanks(values[i]), value, problem)) {
            run.output.Number(FormatValue(value));
        } else {
            run.streams.diagnostics.Report(
                Numbered("expression", i), values[i], problem + FileHint(values[i], false));
            status = ExitBadInput;
            if (!run.options.keepGoing)
                return status;
        }
        run.output.EndLine();
    }
    return status;
}

int ConvertArguments(Run& run)
{
    const Options& options = run.options;
    Diagnostics& diagnostics = run.streams.diagnostics;
    if (!options.columns.empty()) {
        diagnostics.Report("convert", "--columns picks the fields of input lines, not values");
        return ExitFailure;
    }
    const PointConverter converter(options.conversion);
    const std::size_t count = static_cast<std::size_t>(converter.InputCount());
    if (options.values.size() != count) {
        std::string hint;
        long double value = 0;
        std::string problem;
        for (const std::string& argument : options.values) {
            if (hint.empty())
                hint = FileHint(
                    argument, run.evaluator.Evaluate(TrimBlanks(argument), value, problem));
        }
        diagnostics.Report("convert",
            PointSizeProblem(options.conversion.from, static_cast<int>(options.values.size()))
                + hint);
        return ExitFailure;
    }
    PointConverter::Point entered {};
    std::string problem;
    int status = ExitSuccess;
    for (std::size_t i = 0; i < count; ++i) {
        if (!run.evaluator.Evaluate(TrimBlanks(options.values[i]), entered[i], problem)) {
            diagnostics.Report(Numbered("value", i), options.values[i],
                problem + FileHint(options.values[i], false));
            status = ExitBadInput;
        }
    }
    PointConverter::Point shown {};
    int blamed = 0;
    if (status == ExitSuccess && !converter.ConvertFinite(entered, shown, blamed, problem)) {
        const auto index = static_cast<std::size_t>(blamed);
        diagnostics.Report(Numbered("value", index), options.values[index], problem);
        status = ExitBadInput;
    }
    if (status != ExitSuccess && !options.keepGoing)
        return status;
    run.output.SetSeparator(options.separator.value_or(" "));
    WritePoint(run.output, converter.OutputCount(), status == ExitSuccess ? &shown : nullptr);
    return status;
}

// Without arguments, standard input.
int RunLines(Run& run, LineHandler& handler)
{
    const LineInput input { run.options.values, run.streams.standardInput, run.streams.readSize,
        run.options.keepGoing };
    return ReadLines(input, run.output, run.streams.diagnostics, handler);
}

int RunOn(Run& run)
{
    const bool lines
        = run.options.values.empty() || AreInputFiles(run.options.values, run.evaluator);
    if (run.options.command == Command::Evaluate) {
        if (!lines)
            return EvaluateArguments(run);
        ExpressionLines expressions(run);
        return RunLines(run, expressions);
    }
    if (!lines)
        return ConvertArguments(run);
    PointFile points(run.options, run.evaluator, run.output, run.streams.diagnostics);
    return RunLines(run, points);
}

} // namespace

int RunCommand(const Options& options, Streams& streams)
{
    if (options.command == Command::Help || options.command == Command::Version)
        return ExitSuccess;
    SetFormatKind(options.format.kind);
    SetPrecision(options.format.precision);
    SetDigits(options.format.digits);
    SetNumberSeparators(options.decimalComma ? "," : ".", options.decimalComma ? "." : ",");

    OutputFile file;
    std::string problem;
    const bool toFile = options.output && *options.output != "-";
    const std::string outputName
        = toFile ? PrintableText(*options.output, 200) : std::string("standard output");
    if (toFile && !file.Open(*options.output, problem)) {
        streams.diagnostics.Report(outputName, problem);
        return ExitFailure;
    }
    OutputBuffer output(
        toFile ? OutputBuffer::ToDescriptor(file.Descriptor()) : streams.standardOutput,
        streams.writeSize);
    // On a terminal a message follows the lines before the line it is about.
    streams.diagnostics.SetBeforeReport([&output] { output.Flush(); });
    FieldEvaluator evaluator(options.decimalComma);
    Run run { options, streams, output, evaluator };
    int status = RunOn(run);
    // Lines that end a run early still leave what was written before them.
    if (!output.Flush()) {
        streams.diagnostics.Report(outputName, std::strerror(output.Error()));
        status = ExitFailure;
    }
    streams.diagnostics.SetBeforeReport({});
    if (!toFile)
        return status;
    // Only a run through the whole input replaces the file: one that stopped at a bad line
    // would leave a part of it.
    const bool finished = status == ExitSuccess || (status == ExitBadInput && options.keepGoing);
    if (!finished) {
        if (file.Replaces())
            streams.diagnostics.Report(outputName, "not written: the run stopped before the end");
        file.Discard();
    } else if (!file.Commit(problem)) {
        streams.diagnostics.Report(outputName, problem);
        status = ExitFailure;
    }
    return status;
}
