// A program on the number engine alone, as another project writes one: it links tralto_core
// and nothing else, sees only the engine's public headers, and prints one line of its own.
// The evaluator writes no trace unless given streams, and the domain error of the square root
// goes to the program's own handler, which names it in that same line instead of the default
// line on standard error.

#include "expression/Parser.h"
#include "format/Formater.h"

#include <cstdio>
#include <string>

int main()
{
    const std::string text = "-sqrt(-1)";
    std::string mathError;
    SetMathErrorHandler([&mathError](const std::string& function, const std::string& kind) {
        mathError = function + ": " + kind + " error";
    });
    tralto::CParser parser;
    const long double value = parser.Evaluate(text);
    const std::string shown = FormatValue(value, tralto::NumberLayout());
    if (mathError.empty())
        std::printf("%s = %s\n", text.c_str(), shown.c_str());
    else
        std::printf("%s = %s (%s)\n", text.c_str(), shown.c_str(), mathError.c_str());
    return 0;
}
