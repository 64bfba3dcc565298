#include "format/NumberReading.h"

#include "expression/Parser.h"

#include <cstring>
#include <limits>
#include <utility>

namespace {

struct Separators
{
    std::string_view decimal;
    std::string_view thousands;
    // The evaluator's own decimal point: nothing to turn into it.
    bool decimalIsPoint;
    // The evaluator reads this separator itself (a point, a blank), so a
    // text with it may mean something without groups.
    bool groupsAmbiguous;
};

Separators Resolve(const NumberSeparators& separators)
{
    Separators resolved;
    resolved.decimal = separators.Decimal().empty() ? std::string_view(".") : separators.Decimal();
    resolved.thousands = separators.Thousands();
    // A locale whose two separators agree can only mean decimals.
    if (resolved.thousands == resolved.decimal)
        resolved.thousands = {};
    resolved.decimalIsPoint = resolved.decimal == ".";
    resolved.groupsAmbiguous
        = resolved.thousands == "." || resolved.thousands == " " || resolved.thousands == "\t";
    return resolved;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A character that a digit after it belongs to: the digit is then no start
// of a number ("x2", "0x1F", "1.5").
bool GluesToDigit(char c)
{
    return IsDigit(c) || IsLetter(c) || c == '.';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

size_t DigitRunEnd(std::string_view text, size_t from)
{
    while (from < text.size() && IsDigit(text[from]))
        ++from;
    return from;
}

bool HasAt(std::string_view text, size_t at, std::string_view part)
{
    return at <= text.size() && text.substr(at).starts_with(part);
}

// Reads the number that starts at the digit text[begin]: integer part
// (perhaps in groups of three), decimal separator and decimals, exponent.
// Appends its evaluator writing to out, when given, and returns where it ends.
size_t ReadNumber(
    std::string_view text, size_t begin, const Separators& separators, std::string* out)
{
    const size_t firstRunEnd = DigitRunEnd(text, begin);
    size_t integerEnd = firstRunEnd;
    bool grouped = false;
    if (!separators.thousands.empty() && firstRunEnd - begin <= 3) {
        const size_t step = separators.thousands.size();
        size_t at = firstRunEnd;
        int groups = 0;
        while (HasAt(text, at, separators.thousands)
            && DigitRunEnd(text, at + step) - (at + step) == 3) {
            at += step + 3;
            ++groups;
        }
        const bool decimalFollows
            = !separators.decimalIsPoint && HasAt(text, at, separators.decimal);
        grouped = groups > 0 && (!separators.groupsAmbiguous || groups >= 2 || decimalFollows);
        if (grouped)
            integerEnd = at;
    }
    if (out != nullptr) {
        for (size_t at = begin; at < integerEnd; ++at) {
            if (IsDigit(text[at]))
                *out += text[at];
        }
    }

    size_t end = integerEnd;
    const std::string_view decimal = separators.decimal;
    if (HasAt(text, end, decimal)) {
        const size_t decimalsEnd = DigitRunEnd(text, end + decimal.size());
        if (out != nullptr) {
            *out += '.';
            out->append(text.substr(end + decimal.size(), decimalsEnd - end - decimal.size()));
        }
        end = decimalsEnd;
    }
    if (end < text.size() && (text[end] == 'E' || text[end] == 'e')) {
        size_t digits = end + 1;
        if (digits < text.size() && (text[digits] == '+' || text[digits] == '-'))
            ++digits;
        const size_t exponentEnd = DigitRunEnd(text, digits);
        if (exponentEnd > digits) {
            if (out != nullptr)
                out->append(text.substr(end, exponentEnd - end));
            end = exponentEnd;
        }
    }
    return end;
}

bool IsRadixPrefix(std::string_view text, size_t at)
{
    if (text[at] != '0' || at + 1 >= text.size())
        return false;
    const char kind = text[at + 1];
    return kind == 'x' || kind == 'X' || kind == 'b' || kind == 'B';
}

// Whether the text holds the first byte of a separator that the evaluator
// does not read as the locale means it. Most texts hold none and go to the
// evaluator as they are: this runs at every keystroke.
bool MayHoldLocaleNumber(std::string_view text, const Separators& separators)
{
    const char point = separators.decimalIsPoint ? '\0' : separators.decimal.front();
    const char group = separators.thousands.empty() ? '\0' : separators.thousands.front();
    if (point == '\0')
        return group != '\0' && !text.empty()
            && std::memchr(text.data(), group, text.size()) != nullptr;
    for (const char c : text) {
        if (c == point || c == group)
            return true;
    }
    return false;
}

std::optional<long double> MarkerValue(const std::string& text)
{
    if (text == "INF")
        return std::numeric_limits<long double>::infinity();
    if (text == "-INF")
        return -std::numeric_limits<long double>::infinity();
    if (text == "NAN")
        return std::numeric_limits<long double>::quiet_NaN();
    return std::nullopt;
}

std::vector<std::string> SplitAt(std::string_view text, std::string_view separator)
{
    std::vector<std::string> pieces;
    size_t from = 0;
    while (true) {
        const size_t at = text.find(separator, from);
        pieces.emplace_back(Trimmed(text.substr(from, at - from)));
        if (at == std::string_view::npos)
            return pieces;
        from = at + separator.size();
    }
}

bool IsPoint(const std::vector<std::string>& pieces, size_t count)
{
    if (pieces.size() != count)
        return false;
    for (const std::string& piece : pieces) {
        if (piece.empty())
            return false;
    }
    return true;
}

} // namespace

bool EvaluatorText(std::string_view text, const NumberSeparators& separators, std::string& out)
{
    const Separators resolved = Resolve(separators);
    if (!MayHoldLocaleNumber(text, resolved))
        return false;

    out.clear();
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const bool numberStarts = IsDigit(text[at]) && (at == 0 || !GluesToDigit(text[at - 1]));
        if (!numberStarts) {
            out += text[at++];
        } else if (IsRadixPrefix(text, at)) {
            // Hexadecimal and binary numbers are the evaluator's alone.
            while (at < text.size() && (IsDigit(text[at]) || IsLetter(text[at])))
                out += text[at++];
        } else {
            at = ReadNumber(text, at, resolved, &out);
        }
    }
    return out != text;
}

long double ReadNumberText(const std::string& text, const NumberSeparators& separators)
{
    if (text.size() <= 4) {
        if (const std::optional<long double> marker = MarkerValue(text))
            return *marker;
    }
    std::string rewritten;
    return EvaluateText(EvaluatorText(text, separators, rewritten) ? rewritten : text);
}

bool IsOneNumber(std::string_view text, const NumberSeparators& separators)
{
    text = Trimmed(text);
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty() || !IsDigit(text.front()))
        return false;
    return ReadNumber(text, 0, Resolve(separators), nullptr) == text.size();
}

std::optional<std::vector<std::string>> SplitPointText(
    std::string_view text, std::size_t count, const NumberSeparators& separators)
{
    text = Trimmed(text);
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')')
        text = Trimmed(text.substr(1, text.size() - 2));
    for (const std::string_view separator : { "\t", "\n", ";" }) {
        if (text.find(separator) == std::string_view::npos)
            continue;
        std::vector<std::string> pieces = SplitAt(text, separator);
        if (!IsPoint(pieces, count))
            return std::nullopt;
        return pieces;
    }
    if (text.find(',') == std::string_view::npos)
        return std::nullopt;
    // "1, 2, 3": a comma before a blank never belongs to a number.
    if (text.find(", ") != std::string_view::npos) {
        std::vector<std::string> pieces = SplitAt(text, ", ");
        if (IsPoint(pieces, count))
            return pieces;
    }
    if (IsOneNumber(text, separators))
        return std::nullopt;
    std::vector<std::string> pieces = SplitAt(text, ",");
    if (!IsPoint(pieces, count))
        return std::nullopt;
    return pieces;
}
