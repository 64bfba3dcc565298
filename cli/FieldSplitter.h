#pragma once

// The fields of one line of a point file. The separator is taken from the first line that is
// not blank or a comment and then holds for the whole file: a semicolon if that line has one,
// else a comma (never with a decimal comma), else a tab, else runs of blanks. Blanks around a
// field are dropped; a field may be in double quotes (as spreadsheets write them), and a
// separator inside the quotes belongs to the field.

#include <string>
#include <string_view>
#include <vector>

enum class FieldSeparator
{
    Semicolon,
    Comma,
    Tab,
    Blank
};

FieldSeparator DetectSeparator(std::string_view line, bool decimalComma = false);

// The separator as text for the output: ";", ",", a tab, or one space for runs of blanks.
std::string_view SeparatorText(FieldSeparator separator);

// Fills `fields` with views into `line`, quotes kept (a field passes through as it was). An
// empty line gives no fields in Blank mode and one empty field otherwise.
void SplitFields(
    std::string_view line, FieldSeparator separator, std::vector<std::string_view>& fields);

// The field without the double quotes around it.
std::string_view Unquoted(std::string_view field);
// The text a quoted field stands for: without the quotes around it, a doubled quote inside
// read as one.
std::string FieldText(std::string_view field);

// The text without the blanks (spaces and tabs) before and after it.
std::string_view TrimBlanks(std::string_view text);
// Blanks (spaces and tabs) only, or nothing at all.
bool IsBlankLine(std::string_view line);
// The first character that is not a blank is "#".
bool IsCommentLine(std::string_view line);
