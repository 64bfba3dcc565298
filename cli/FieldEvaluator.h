#pragma once

// The value of one field of a point file, or of one expression on the command line: the very
// value a window field takes for the same text (EvaluateText), or the reason the text has none.
// Where a window quietly takes 0 (a text that does not parse, an unknown name) or reads only a
// part of the text ("2pi" as 2, "1 2" as 2, everything after a zero byte), a file would be
// silently corrupted, so this refuses the text instead. The errors of the math functions
// ("sqrt: DOMAIN error") are caught through the evaluator's math-error handler, and told in the
// command line's words (ln, log and ^ where the C library says log, log10 and pow).
// With a decimal comma ("2,5", as spreadsheets of comma-decimal languages write numbers) a
// "." is refused: there it may group thousands.

#include <string>
#include <string_view>

class FieldEvaluator
{
public:
    // Installs the math-error handler for the life of the object; one object at a time.
    explicit FieldEvaluator(bool decimalComma = false);
    ~FieldEvaluator();
    FieldEvaluator(const FieldEvaluator&) = delete;
    FieldEvaluator& operator=(const FieldEvaluator&) = delete;

    // True with the value; false with the problem in a few words ("division by zero").
    bool Evaluate(std::string_view text, long double& value, std::string& problem);

private:
    bool EvaluateExpression(long double& value, std::string& problem);

    bool decimalComma_;
    std::string text_;
    std::string mathError_;
    // The periodic functions the text calls ("sin or cos"): a huge argument makes them NaN.
    std::string periodic_;
};
