#pragma once

// The lines of point files converted, one after another (a LineHandler of cli/InputLines.h).
// The separator of the fields is found on the first line of each file that holds points or
// names, and the output uses it too unless --separator says otherwise. The point is read from
// the fields --columns names, or from the first fields; every other field passes through
// unchanged in its place. The first such line of a file is the column names when it cannot be
// a point (cli/PointFile.cpp says when): the point's names become the target system's names.

#include "cli/FieldSplitter.h"
#include "cli/InputLines.h"
#include "cli/PointConverter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Options;
class Diagnostics;
class FieldEvaluator;
class OutputBuffer;

// "spherical needs 3 values (r, theta, phi), found 2"
std::string PointSizeProblem(CoordinateSystem system, int found);

// A line of `count` number fields; of empty fields without a point.
void WritePoint(OutputBuffer& output, int count, const PointConverter::Point* shown);

class PointFile : public LineHandler
{
public:
    PointFile(const Options& options, FieldEvaluator& evaluator, OutputBuffer& output,
        Diagnostics& diagnostics);

    void StartInput() override;
    bool Line(std::string_view line, const LinePlace& place) override;
    void WriteEmpty(bool afterLine) override;

private:
    bool IsColumnNames();
    // The value of the point that the field holds, or -1 for a field that passes through.
    int ValueOfField(std::size_t field) const;
    // The fields of the line, with the converted point, the target's names or (neither given)
    // empty fields in the point's columns.
    void WriteFields(const PointConverter::Point* shown, bool names);
    void PassThrough(std::string_view field);

    const Options& options_;
    FieldEvaluator& evaluator_;
    OutputBuffer& output_;
    Diagnostics& diagnostics_;
    const PointConverter converter_;
    // The field of each value of the point, and how many fields a line needs to hold it.
    std::vector<std::size_t> columns_;
    std::size_t fieldsNeeded_ = 0;
    std::optional<FieldSeparator> separator_;
    // The output separator is the input's: fields pass through exactly as they came.
    bool passRaw_ = true;
    bool headerPossible_ = true;
    // The line last given to Line had all the fields of the point.
    bool fieldsKnown_ = false;
    std::vector<std::string_view> fields_;
    std::string problem_;
};
