#pragma once

// Reading back what the formatter writes. A field holds the evaluator's
// expression language, in which a number is written "1234.5"; the formatter
// writes numbers the locale's way ("1.234,5" in German, "1,234.5" in the
// "number" layout in English). Before a field's text is evaluated, every
// number written the locale's way is turned into the evaluator's writing:
//
//   field text → EvaluatorText (decimal separator → ".", groups dropped)
//   → EvaluateText
//
// Text the evaluator reads on its own keeps its meaning. Where the thousands
// separator is a character the evaluator reads itself (the "." of German,
// or a blank), a number is taken as grouped only where no other reading
// makes sense: two or more groups ("1.234.567"), or one group followed by
// the decimal separator ("1.234,5"). A single group alone ("1.234") stays
// the evaluator's decimal number 1.234.

#include "format/Formater.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using tralto::NumberSeparators;

// Writes into out the text with every number written the locale's way
// turned into the evaluator's writing. Returns false, and leaves out
// unspecified, when the text needs no change.
bool EvaluatorText(std::string_view text, const NumberSeparators& separators, std::string& out);

// The value of a field's text: the formatter's markers "INF", "-INF" and
// "NAN" as the values they stand for, anything else EvaluateText of the
// evaluator's writing (0 for what cannot be evaluated).
long double ReadNumberText(const std::string& text, const NumberSeparators& separators);

// Whether the text, blanks around it aside, is one number with an optional
// sign, written the locale's way or the evaluator's.
bool IsOneNumber(std::string_view text, const NumberSeparators& separators);

// The values of a point written as one text: count values separated by tabs,
// line breaks, semicolons or commas ("1, 2, 3", "1;2;3", a row of a
// spreadsheet), optionally in parentheses. The first of these separators
// that occurs decides; a comma separates only where it is no decimal
// separator or group of a number: after ", " with a blank, or where the
// whole text is no single number ("1,2,3" in German; "2,5" is one number
// there). Empty when the text is no point of count values.
std::optional<std::vector<std::string>> SplitPointText(
    std::string_view text, std::size_t count, const NumberSeparators& separators);
