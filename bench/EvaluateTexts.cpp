#include "bench/EvaluateTexts.h"

#include "expression/Parser.h"

#include <muParser.h>

namespace tralto::bench {

long double EvaluateWithTralto(const std::string& text)
{
    return EvaluateText(text);
}

double EvaluateWithMuParser(const std::string& text)
{
    mu::Parser parser;
    parser.DefineConst("pi", 3.141592653589793);
    parser.SetExpr(text);
    return parser.Eval();
}

} // namespace tralto::bench
