#include "cli/Diagnostics.h"

#include <cstdio>

namespace {

// Length of the well-formed UTF-8 sequence at the front of `text`, or 0.
std::size_t Utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

// Length of the printable character at the front of `text` (one shown as it is), or 0.
std::size_t PrintableLength(std::string_view text)
{
    const auto c = static_cast<unsigned char>(text.front());
    if (c >= 0x20 && c < 0x7F)
        return 1;
    return c >= 0x80 ? Utf8SequenceLength(text) : 0;
}

} // namespace

bool IsPrintableText(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t length = PrintableLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

std::string PrintableText(std::string_view text, std::size_t limit)
{
    std::string printable;
    std::size_t i = 0;
    while (i < text.size()) {
        if (printable.size() >= limit) {
            printable += "...";
            break;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\') {
            printable += "\\\\";
            ++i;
        } else if (const std::size_t length = PrintableLength(text.substr(i))) {
            printable.append(text.substr(i, length));
            i += length;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            printable += escaped;
            ++i;
        }
    }
    return printable;
}

Diagnostics::Diagnostics(Sink sink)
    : sink_(std::move(sink))
{
}

Diagnostics::Sink Diagnostics::ToStandardError()
{
    return [](std::string_view message) {
        std::fwrite(message.data(), 1, message.size(), stderr);
        std::fflush(stderr);
    };
}

void Diagnostics::Report(std::string_view place, std::string_view problem)
{
    ++count_;
    if (beforeReport_)
        beforeReport_();
    std::string message = "tralto: ";
    message += place;
    message += ": ";
    message += problem;
    message += '\n';
    sink_(message);
}

void Diagnostics::Report(std::string_view place, std::string_view text, std::string_view problem)
{
    std::string where(place);
    where += " \"" + PrintableText(text) + "\"";
    Report(where, problem);
}
