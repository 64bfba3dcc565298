#include "cli/InputLines.h"

#include "cli/Commands.h"
#include "cli/Diagnostics.h"
#include "cli/FieldSplitter.h"
#include "cli/OutputBuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// The byte order mark of UTF-16 (or UTF-32) text, little- or big-endian.
bool StartsAsUtf16(std::string_view line)
{
    return line.starts_with("\xFF\xFE") || line.starts_with("\xFE\xFF");
}

// One input to its end. `name` is empty for standard input when no file is named.
int ReadInput(std::string_view name, const LineReader::Source& source, const LineInput& input,
    OutputBuffer& output, Diagnostics& diagnostics, LineHandler& handler)
{
    LineReader reader(source, input.readSize);
    handler.StartInput();
    int status = ExitSuccess;
    std::string_view line;
    for (;;) {
        // Output that cannot be written ends the run (reported when it is flushed); the rest
        // of the input is not read.
        if (output.Failed())
            return status;
        const LineReader::Status read = reader.Next(line);
        if (read == LineReader::Status::End)
            return status;
        if (read == LineReader::Status::ReadError) {
            diagnostics.Report(name.empty() ? "standard input" : name, std::strerror(errno));
            return ExitFailure;
        }
        const LinePlace place(name, reader.LineNumber());
        const bool first = reader.LineNumber() == 1;
        if (first && read == LineReader::Status::Line && line.starts_with(ByteOrderMark))
            line.remove_prefix(ByteOrderMark.size());
        bool afterLine = false;
        if (read == LineReader::Status::TooLong) {
            diagnostics.Report(place.Text(),
                "longer than " + std::to_string(LineReader::MaxLineLength) + " bytes");
        } else if (first && StartsAsUtf16(line)) {
            diagnostics.Report(place.Text(), "UTF-16 text: tralto reads UTF-8");
        } else if (IsBlankLine(line)) {
            output.EndLine();
            continue;
        } else if (IsCommentLine(line)) {
            output.Text(line);
            output.EndLine();
            continue;
        } else if (handler.Line(line, place)) {
            continue;
        } else {
            afterLine = true;
        }
        status = ExitBadInput;
        if (!input.keepGoing)
            return status;
        handler.WriteEmpty(afterLine);
    }
}

} // namespace

std::string LinePlace::Text() const
{
    std::string text(file_);
    if (!text.empty())
        text += ", ";
    text += "line " + std::to_string(line_);
    return text;
}

std::string LinePlace::Text(std::size_t field) const
{
    return Text() + ", field " + std::to_string(field + 1);
}

int ReadLines(
    const LineInput& input, OutputBuffer& output, Diagnostics& diagnostics, LineHandler& handler)
{
    if (input.files.empty())
        return ReadInput({}, input.standardInput, input, output, diagnostics, handler);
    int status = ExitSuccess;
    for (const std::string& file : input.files) {
        int result = ExitSuccess;
        if (file == "-") {
            result = ReadInput(
                "standard input", input.standardInput, input, output, diagnostics, handler);
        } else {
            // A file name may hold any bytes; a message shows it printable.
            const std::string name = PrintableText(file, 200);
            const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            if (descriptor < 0) {
                diagnostics.Report(name, std::strerror(errno));
                result = ExitFailure;
            } else {
                result = ReadInput(name, LineReader::FromDescriptor(descriptor), input, output,
                    diagnostics, handler);
                ::close(descriptor);
            }
        }
        status = std::max(status, result);
        if ((result != ExitSuccess && !input.keepGoing) || output.Failed())
            break;
    }
    return status;
}
