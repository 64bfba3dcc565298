#pragma once

// The value of one field of a point file, or of one expression on the command line: the very
// value a window field takes for the same text (EvaluateText), or the reason the text has none.
// Where a window quietly takes 0 (a text that does not parse, an unknown name) or reads only a
// part of the text ("2pi" as 2, "1 2" as 2, everything after a zero byte), a file would be
// silently corrupted, so this refuses the text instead. The errors of the math functions
// ("sqrt: DOMAIN error") are caught through the evaluator's math-error handler.

#include <string>
#include <string_view>

class FieldEvaluator
{
public:
    // Installs the math-error handler for the life of the object; one object at a time.
    FieldEvaluator();
    ~FieldEvaluator();
    FieldEvaluator(const FieldEvaluator&) = delete;
    FieldEvaluator& operator=(const FieldEvaluator&) = delete;

    // True with the value; false with the problem in a few words ("division by zero").
    bool Evaluate(std::string_view text, long double& value, std::string& problem);

private:
    bool EvaluateExpression(long double& value, std::string& problem);

    std::string text_;
    std::string mathError_;
};
