#pragma once

// A point file on standard input, converted line by line to standard output. The separator of
// the fields is found on the first line that holds points (or names), and the output uses it
// too unless --separator says otherwise. A first such line none of whose fields is a value is
// the column names: it is written as the target system's names (--no-header reads it as a
// point). Blank lines and "#" comment lines are written as they are, so that the output keeps
// the lines of the input. A UTF-8 byte order mark before the first line is dropped.

#include "cli/Commands.h"
#include "cli/FieldEvaluator.h"
#include "cli/FieldSplitter.h"
#include "cli/PointConverter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// "spherical needs 3 values (r, theta, phi), found 2"
std::string PointSizeProblem(CoordinateSystem system, int found);

// The converted point as one line of fields; a line of empty fields without a point.
void WritePoint(
    OutputBuffer& output, const PointConverter& converter, const PointConverter::Point* entered);

class PointFile
{
public:
    PointFile(const Options& options, Streams& streams);

    // The exit status.
    int Run();

private:
    // Whether the line held a point (written) or the names (written as the target's names);
    // false after the problem has been reported.
    bool ConvertLine(std::string_view line);
    void WriteHeader();
    // "line 7"
    std::string Place() const;

    const Options& options_;
    Streams& streams_;
    const PointConverter converter_;
    FieldEvaluator evaluator_;
    std::optional<FieldSeparator> separator_;
    bool headerPossible_;
    std::vector<std::string_view> fields_;
    std::string problem_;
};
