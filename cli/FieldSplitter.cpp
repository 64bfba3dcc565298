#include "cli/FieldSplitter.h"

#include "expression/Parser.h"

namespace {

// The blanks between and around fields are those the evaluator skips in a field.
using tralto::IsBlank;

bool Separates(char c, FieldSeparator separator)
{
    switch (separator) {
    case FieldSeparator::Semicolon:
        return c == ';';
    case FieldSeparator::Comma:
        return c == ',';
    case FieldSeparator::Tab:
        return c == '\t';
    case FieldSeparator::Blank:
        return IsBlank(c);
    }
    return false;
}

} // namespace

FieldSeparator DetectSeparator(std::string_view line, bool decimalComma)
{
    // What is inside quotes is text of a field, not a separator.
    bool quoted = false, semicolon = false, comma = false, tab = false;
    for (const char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted) {
            semicolon = semicolon || c == ';';
            comma = comma || c == ',';
            tab = tab || c == '\t';
        }
    }
    if (semicolon)
        return FieldSeparator::Semicolon;
    if (comma && !decimalComma)
        return FieldSeparator::Comma;
    if (tab)
        return FieldSeparator::Tab;
    return FieldSeparator::Blank;
}

std::string_view SeparatorText(FieldSeparator separator)
{
    switch (separator) {
    case FieldSeparator::Semicolon:
        return ";";
    case FieldSeparator::Comma:
        return ",";
    case FieldSeparator::Tab:
        return "\t";
    case FieldSeparator::Blank:
        return " ";
    }
    return " ";
}

void SplitFields(
    std::string_view line, FieldSeparator separator, std::vector<std::string_view>& fields)
{
    fields.clear();
    // Most lines of a point file: one separator character and no quotes.
    if (separator != FieldSeparator::Blank && line.find('"') == std::string_view::npos) {
        const char mark = SeparatorText(separator).front();
        for (;;) {
            const std::size_t end = line.find(mark);
            fields.push_back(TrimBlanks(line.substr(0, end)));
            if (end == std::string_view::npos)
                return;
            line.remove_prefix(end + 1);
        }
    }
    const bool blank = separator == FieldSeparator::Blank;
    if (blank)
        line = TrimBlanks(line);
    if (blank && line.empty())
        return;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] == '"')
            quoted = !quoted;
        if (i < line.size() && (quoted || !Separates(line[i], separator)))
            continue;
        fields.push_back(TrimBlanks(line.substr(start, i - start)));
        // A run of blanks is one separator.
        while (blank && i + 1 < line.size() && IsBlank(line[i + 1]))
            ++i;
        start = i + 1;
    }
}

std::string_view Unquoted(std::string_view field)
{
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        return field.substr(1, field.size() - 2);
    return field;
}

std::string FieldText(std::string_view field)
{
    const std::string_view inside = Unquoted(field);
    std::string text;
    for (std::size_t i = 0; i < inside.size(); ++i) {
        text += inside[i];
        if (inside.size() < field.size() && inside[i] == '"' && i + 1 < inside.size()
            && inside[i + 1] == '"')
            ++i;
    }
    return text;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsBlankLine(std::string_view line)
{
    return TrimBlanks(line).empty();
}

bool IsCommentLine(std::string_view line)
{
    const std::string_view text = TrimBlanks(line);
    return !text.empty() && text.front() == '#';
}
