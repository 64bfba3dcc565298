#include "cli/PointFile.h"

#include "cli/CommandLine.h"
#include "cli/Diagnostics.h"
#include "cli/LineReader.h"
#include "cli/OutputBuffer.h"
#include "format/Formater.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::string PointSizeProblem(CoordinateSystem system, int found)
{
    std::string names;
    for (const std::string_view name : ValueNames(system))
        names += (names.empty() ? "" : ", ") + std::string(name);
    return std::string(SystemName(system)) + " needs " + std::to_string(ValueCount(system))
        + " values (" + names + "), found " + std::to_string(found);
}

void WritePoint(
    OutputBuffer& output, const PointConverter& converter, const PointConverter::Point* entered)
{
    if (entered) {
        const PointConverter::Point shown = converter.Convert(*entered);
        for (int i = 0; i < converter.OutputCount(); ++i)
            output.Number(FormatValue(shown[i]));
    } else {
        for (int i = 0; i < converter.OutputCount(); ++i)
            output.Field({});
    }
    output.EndLine();
}

PointFile::PointFile(const Options& options, Streams& streams)
    : options_(options)
    , streams_(streams)
    , converter_(options.conversion)
    , headerPossible_(options.detectHeader)
{
    // Until the first point shows the file's separator, a line written with empty fields uses
    // the commonest one.
    streams_.output.SetSeparator(options_.separator.value_or(","));
}

int PointFile::Run()
{
    int status = ExitSuccess;
    std::string_view line;
    for (;;) {
        // Output that cannot be written ends the run (reported when it is flushed); the rest of
        // the input is not read.
        if (streams_.output.Failed())
            return status;
        const LineReader::Status read = streams_.input.Next(line);
        if (read == LineReader::Status::End)
            return status;
        if (read == LineReader::Status::ReadError) {
            streams_.diagnostics.Report("standard input", std::strerror(errno));
            return ExitFailure;
        }
        if (read == LineReader::Status::TooLong) {
            streams_.diagnostics.Report(
                Place(), "longer than " + std::to_string(LineReader::MaxLineLength) + " bytes");
        } else {
            if (streams_.input.LineNumber() == 1 && line.starts_with(ByteOrderMark))
                line.remove_prefix(ByteOrderMark.size());
            if (IsBlankLine(line) || IsCommentLine(line)) {
                streams_.output.Text(IsBlankLine(line) ? std::string_view() : line);
                streams_.output.EndLine();
                continue;
            }
            if (ConvertLine(line))
                continue;
        }
        status = ExitBadInput;
        if (!options_.keepGoing)
            return status;
        WritePoint(streams_.output, converter_, nullptr);
    }
}

bool PointFile::ConvertLine(std::string_view line)
{
    if (!separator_) {
        separator_ = DetectSeparator(line);
        if (!options_.separator)
            streams_.output.SetSeparator(SeparatorText(*separator_));
    }
    SplitFields(line, *separator_, fields_);

    PointConverter::Point entered {};
    long double value = 0;
    std::size_t values = 0;
    std::size_t firstBad = fields_.size();
    std::string firstProblem;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (evaluator_.Evaluate(fields_[i], value, problem_)) {
            if (i < entered.size())
                entered[i] = value;
            ++values;
        } else if (firstBad == fields_.size()) {
            firstBad = i;
            firstProblem = problem_;
        }
    }
    const bool header = headerPossible_ && values == 0;
    headerPossible_ = false;
    if (header) {
        WriteHeader();
        return true;
    }

    if (fields_.size() != static_cast<std::size_t>(converter_.InputCount())) {
        streams_.diagnostics.Report(
            Place(), PointSizeProblem(options_.conversion.from, static_cast<int>(fields_.size())));
        return false;
    }
    if (firstBad != fields_.size()) {
        streams_.diagnostics.Report(
            Place() + ", field " + std::to_string(firstBad + 1), fields_[firstBad], firstProblem);
        return false;
    }
    WritePoint(streams_.output, converter_, &entered);
    return true;
}

std::string PointFile::Place() const
{
    return "line " + std::to_string(streams_.input.LineNumber());
}

void PointFile::WriteHeader()
{
    for (const std::string_view name : ValueNames(options_.conversion.to))
        streams_.output.Field(name);
    streams_.output.EndLine();
}
