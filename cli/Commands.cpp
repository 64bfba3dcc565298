#include "cli/Commands.h"

#include "cli/CommandLine.h"
#include "cli/Diagnostics.h"
#include "cli/FieldEvaluator.h"
#include "cli/FieldSplitter.h"
#include "cli/LineReader.h"
#include "cli/OutputBuffer.h"
#include "cli/PointFile.h"

#include <cerrno>
#include <cstring>

namespace {

std::string Numbered(const char* what, std::size_t index)
{
    return what + std::string(" ") + std::to_string(index + 1);
}

// Lines that end a run early still leave what was written before them.
int Finish(Streams& streams, int status)
{
    if (!streams.output.Flush()) {
        streams.diagnostics.Report("standard output", std::strerror(streams.output.Error()));
        return ExitFailure;
    }
    return status;
}

int EvaluateArguments(const Options& options, Streams& streams)
{
    FieldEvaluator evaluator;
    int status = ExitSuccess;
    long double value = 0;
    std::string problem;
    for (std::size_t i = 0; i < options.values.size(); ++i) {
        if (evaluator.Evaluate(TrimBlanks(options.values[i]), value, problem)) {
            streams.output.Number(FormatValue(value));
        } else {
            streams.diagnostics.Report(Numbered("expression", i), options.values[i], problem);
            status = ExitBadInput;
            if (!options.keepGoing)
                return Finish(streams, status);
        }
        streams.output.EndLine();
    }
    return Finish(streams, status);
}

int EvaluateLines(const Options& options, Streams& streams)
{
    FieldEvaluator evaluator;
    int status = ExitSuccess;
    long double value = 0;
    std::string problem;
    std::string_view line;
    for (;;) {
        // Output that cannot be written ends the run; the rest of the input is not read.
        if (streams.output.Failed())
            break;
        const LineReader::Status read = streams.input.Next(line);
        if (read == LineReader::Status::End)
            break;
        if (read == LineReader::Status::ReadError) {
            streams.diagnostics.Report("standard input", std::strerror(errno));
            return Finish(streams, ExitFailure);
        }
        const std::string place = "line " + std::to_string(streams.input.LineNumber());
        if (read == LineReader::Status::TooLong) {
            problem = "longer than " + std::to_string(LineReader::MaxLineLength) + " bytes";
            streams.diagnostics.Report(place, problem);
        } else if (IsBlankLine(line) || IsCommentLine(line)) {
            streams.output.Text(line);
            streams.output.EndLine();
            continue;
        } else if (evaluator.Evaluate(TrimBlanks(line), value, problem)) {
            streams.output.Number(FormatValue(value));
            streams.output.EndLine();
            continue;
        } else {
            streams.diagnostics.Report(place, line, problem);
        }
        status = ExitBadInput;
        if (!options.keepGoing)
            return Finish(streams, status);
        streams.output.EndLine();
    }
    return Finish(streams, status);
}

int ConvertArguments(const Options& options, Streams& streams)
{
    const PointConverter converter(options.conversion);
    const std::size_t count = static_cast<std::size_t>(converter.InputCount());
    if (options.values.size() != count) {
        streams.diagnostics.Report("convert",
            PointSizeProblem(options.conversion.from, static_cast<int>(options.values.size())));
        return ExitFailure;
    }
    FieldEvaluator evaluator;
    PointConverter::Point entered {};
    std::string problem;
    int status = ExitSuccess;
    for (std::size_t i = 0; i < count; ++i) {
        if (!evaluator.Evaluate(TrimBlanks(options.values[i]), entered[i], problem)) {
            streams.diagnostics.Report(Numbered("value", i), options.values[i], problem);
            status = ExitBadInput;
        }
    }
    if (status != ExitSuccess && !options.keepGoing)
        return status;
    streams.output.SetSeparator(options.separator.value_or(" "));
    WritePoint(streams.output, converter, status == ExitSuccess ? &entered : nullptr);
    return Finish(streams, status);
}

} // namespace

int RunCommand(const Options& options, Streams& streams)
{
    SetFormatKind(options.format.kind);
    SetPrecision(options.format.precision);
    SetDigits(options.format.digits);
    SetNumberSeparators(".", ",");
    streams.diagnostics.SetBeforeReport([&streams] { streams.output.Flush(); });
    int status = ExitSuccess;
    switch (options.command) {
    case Command::Evaluate:
        status = options.values.empty() ? EvaluateLines(options, streams)
                                        : EvaluateArguments(options, streams);
        break;
    case Command::Convert:
        status = options.values.empty() ? Finish(streams, PointFile(options, streams).Run())
                                        : ConvertArguments(options, streams);
        break;
    case Command::Help:
    case Command::Version:
        break;
    }
    streams.diagnostics.SetBeforeReport({});
    return status;
}
