#include "cli/PointFile.h"

#include "cli/CommandLine.h"
#include "cli/Diagnostics.h"
#include "cli/FieldEvaluator.h"
#include "cli/OutputBuffer.h"
#include "format/Formater.h"

#include <algorithm>

namespace {

bool StartsLikeNumber(std::string_view text, bool decimalComma)
{
    const char c = text.front();
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || (decimalComma && c == ',');
}

} // namespace

std::string PointSizeProblem(CoordinateSystem system, int found)
{
    std::string names;
    for (const std::string_view name : ValueNames(system))
        names += (names.empty() ? "" : ", ") + std::string(name);
    return std::string(SystemName(system)) + " needs " + std::to_string(ValueCount(system))
        + " values (" + names + "), found " + std::to_string(found);
}

void WritePoint(OutputBuffer& output, int count, const PointConverter::Point* shown)
{
    for (int i = 0; i < count; ++i) {
        if (shown)
            output.Number(FormatValue((*shown)[i]));
        else
            output.Field({});
    }
    output.EndLine();
}

PointFile::PointFile(const Options& options, FieldEvaluator& evaluator, OutputBuffer& output,
    Diagnostics& diagnostics)
    : options_(options)
    , evaluator_(evaluator)
    , output_(output)
    , diagnostics_(diagnostics)
    , converter_(options.conversion)
{
    for (int i = 0; i < converter_.InputCount(); ++i) {
        columns_.push_back(options.columns.empty() ? static_cast<std::size_t>(i)
                                                   : static_cast<std::size_t>(options.columns[i]));
    }
    fieldsNeeded_ = *std::max_element(columns_.begin(), columns_.end()) + 1;
    // Until the first point shows the file's separator, a line written with empty fields uses
    // the commonest one.
    output_.SetSeparator(options_.separator.value_or(","));
}

void PointFile::StartInput()
{
    separator_.reset();
    headerPossible_ = options_.detectHeader;
}

bool PointFile::Line(std::string_view line, const LinePlace& place)
{
    fieldsKnown_ = false;
    if (!separator_) {
        separator_ = DetectSeparator(line, options_.decimalComma);
        const std::string_view text = SeparatorText(*separator_);
        if (!options_.separator)
            output_.SetSeparator(text);
        passRaw_ = !options_.separator || *options_.separator == text;
    }
    SplitFields(line, *separator_, fields_);
    const bool firstLine = headerPossible_;
    headerPossible_ = false;
    if (fields_.size() < fieldsNeeded_) {
        diagnostics_.Report(place.Text(),
            options_.columns.empty()
                ? PointSizeProblem(options_.conversion.from, static_cast<int>(fields_.size()))
                : "--columns needs " + std::to_string(fieldsNeeded_) + " fields, found "
                    + std::to_string(fields_.size()));
        return false;
    }
    fieldsKnown_ = true;
    if (firstLine && IsColumnNames()) {
        WriteFields(nullptr, true);
        return true;
    }

    PointConverter::Point entered {};
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        const std::string_view text = Unquoted(fields_[columns_[i]]);
        if (!evaluator_.Evaluate(text, entered[i], problem_)) {
            diagnostics_.Report(place.Text(columns_[i]), text, problem_);
            return false;
        }
    }
    PointConverter::Point shown {};
    int blamed = 0;
    if (!converter_.ConvertFinite(entered, shown, blamed, problem_)) {
        const std::size_t field = columns_[static_cast<std::size_t>(blamed)];
        diagnostics_.Report(place.Text(field), Unquoted(fields_[field]), problem_);
        return false;
    }
    WriteFields(&shown, false);
    return true;
}

// A spreadsheet's first line names its columns; a point file may have none. The line is taken
// as the names only when it cannot be a point: no field is a value or starts like a number (a
// digit, a sign, a point), none holds bytes that are not text (a binary or UTF-16 file), and
// the point's fields are not empty.
bool PointFile::IsColumnNames()
{
    long double value = 0;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const std::string_view name = Unquoted(fields_[i]);
        if (name.empty()) {
            if (ValueOfField(i) >= 0)
                return false;
            continue;
        }
        if (StartsLikeNumber(name, options_.decimalComma) || !IsPrintableText(name)
            || evaluator_.Evaluate(name, value, problem_))
            return false;
    }
    return true;
}

int PointFile::ValueOfField(std::size_t field) const
{
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i] == field)
            return static_cast<int>(i);
    }
    return -1;
}

void PointFile::WriteFields(const PointConverter::Point* shown, bool names)
{
    const auto targetNames = ValueNames(options_.conversion.to);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const int value = ValueOfField(i);
        if (value < 0)
            PassThrough(fields_[i]);
        else if (names)
            output_.Field(targetNames[static_cast<std::size_t>(value)]);
        else if (shown)
            output_.Number(FormatValue((*shown)[static_cast<std::size_t>(value)]));
        else
            output_.Field({});
    }
    output_.EndLine();
}

void PointFile::PassThrough(std::string_view field)
{
    if (passRaw_)
        output_.RawField(field);
    else
        output_.Field(FieldText(field));
}

void PointFile::WriteEmpty(bool afterLine)
{
    // What passes through a bad line is kept; where the line is not known, it is as wide as
    // the point needs.
    if (afterLine && fieldsKnown_)
        WriteFields(nullptr, false);
    else
        WritePoint(output_, static_cast<int>(fieldsNeeded_), nullptr);
}
