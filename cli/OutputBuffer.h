#pragma once

// Standard output, written in large blocks: the output of a point file streams out as it is
// converted, in constant memory. A line is whole in the buffer before any of it can be written,
// so a line that fails half way is dropped without a trace.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class OutputBuffer
{
public:
    // Writes all of `text`; false on failure (errno set).
    using Sink = std::function<bool(std::string_view text)>;

    explicit OutputBuffer(Sink sink, std::size_t blockSize = std::size_t(1) << 16);

    // One field of the line being built: the separator before every field but the first, and
    // the text in double quotes when it holds the separator or a quote itself (a grouped number
    // "1,234.5" in a comma-separated file), quotes inside doubled.
    void Field(std::string_view text);
    // A number text (digits, ".", ",", "+", "-", "E", "INF", "NAN") as a field: quoted only
    // when the separator holds one of these characters.
    void Number(std::string_view text);
    // A field taken as it is, quotes and all (a field passed through to a line with the
    // separator it came with).
    void RawField(std::string_view text);
    // Text taken as it is (a comment line passed through).
    void Text(std::string_view text);
    // Ends the line; writes a block once one is full. The separator for the next line's fields.
    void EndLine();
    // Forgets the line being built.
    void DropLine();
    void SetSeparator(std::string_view separator);

    // Writes what is buffered; false once any write has failed.
    bool Flush();
    bool Failed() const { return failed_; }
    // The errno of the failed write.
    int Error() const { return error_; }

    // A sink that writes a file descriptor, retrying when interrupted.
    static Sink ToDescriptor(int descriptor);

private:
    Sink sink_;
    std::size_t blockSize_;
    std::string buffer_;
    std::size_t lineStart_ = 0;
    std::string separator_ = " ";
    bool fieldWritten_ = false;
    bool numbersNeedQuotes_ = false;
    bool failed_ = false;
    int error_ = 0;
};
