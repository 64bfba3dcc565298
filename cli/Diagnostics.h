#pragma once

// The error messages of a run, one line each on standard error, naming where the problem is
// (line and field of a point file, or the argument) and the text that caused it, made
// printable: control characters and bytes that are not UTF-8 are written as \xNN, and a long
// text is cut.

#include <functional>
#include <string>
#include <string_view>
#include <utility>

class Diagnostics
{
public:
    using Sink = std::function<void(std::string_view message)>;

    explicit Diagnostics(Sink sink);

    // "tralto: <place>: <problem>"
    void Report(std::string_view place, std::string_view problem);
    // "tralto: <place> "<text>": <problem>"
    void Report(std::string_view place, std::string_view text, std::string_view problem);

    int Count() const { return count_; }

    // Runs before every message: the output written so far goes out first, so that on a
    // terminal a message follows the lines before the line it is about.
    void SetBeforeReport(std::function<void()> beforeReport)
    {
        beforeReport_ = std::move(beforeReport);
    }

    // Writes each message to standard error at once.
    static Sink ToStandardError();

private:
    Sink sink_;
    std::function<void()> beforeReport_;
    int count_ = 0;
};

// The text as it may appear in a message, at most `limit` bytes of it before an ellipsis.
std::string PrintableText(std::string_view text, std::size_t limit = 80);
// UTF-8 without control characters: what PrintableText leaves as it is.
bool IsPrintableText(std::string_view text);
