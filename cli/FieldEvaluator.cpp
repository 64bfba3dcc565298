#include "cli/FieldEvaluator.h"

#include "cli/Diagnostics.h"
#include "expression/Parser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The scanner reads "0x…" and "0b…" in radix 16 and 2; in fact any digit followed by x or b.
bool IsRadixLiteral(std::string_view lexeme)
{
    if (lexeme.size() < 2)
        return false;
    const char kind = lexeme[1];
    return kind == 'x' || kind == 'X' || kind == 'b' || kind == 'B';
}

// Whether a number token holds nothing but its literal: the scanner lets letters, digits and
// points that stick to a literal end the token unread ("2pi" is 2, "1.5.3" is 1.5, "3x" is 0).
bool IsWholeLiteral(std::string_view lexeme)
{
    if (IsRadixLiteral(lexeme))
        return lexeme[0] == '0' && lexeme.size() > 2;
    double number = 0;
    const char* const end = lexeme.data() + lexeme.size();
    return std::from_chars(lexeme.data(), end, number).ptr == end;
}

// A decimal literal of at most 15 digits without exponent, such as "-123.456789", read at
// double precision. Its digits as an integer and the power of ten that divides them are both
// exact doubles, and one division of exact doubles is correctly rounded: the result is the
// double nearest to the literal, as std::from_chars gives it, in a fraction of the time.
bool ReadShortDecimal(std::string_view text, char decimalSeparator, double& number)
{
    static constexpr double PowersOfTen[]
        = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15 };
    uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    for (const char c : text) {
        if (IsDigit(c)) {
            digits = digits * 10 + static_cast<uint64_t>(c - '0');
            decimals += point;
            if (++count > 15)
                return false;
        } else if (c == decimalSeparator && !point) {
            point = true;
        } else {
            return false;
        }
    }
    number = static_cast<double>(digits) / PowersOfTen[decimals];
    return count > 0;
}

// A decimal literal, perhaps behind a minus: by far the most common field of a point file.
// The evaluator takes the literal at double precision and negates it in extended precision;
// this gives the same value without building a parser.
bool ReadPlainDecimal(std::string_view text, char decimalSeparator, long double& value)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || !IsDigit(text.front()) || IsRadixLiteral(text))
        return false;
    double number = 0;
    if (!ReadShortDecimal(text, decimalSeparator, number)) {
        std::string pointed;
        if (decimalSeparator != '.') {
            if (text.find('.') != std::string_view::npos)
                return false;
            pointed.assign(text);
            std::replace(pointed.begin(), pointed.end(), decimalSeparator, '.');
            text = pointed;
        }
        const char* const end = text.data() + text.size();
        const auto [literalEnd, error] = std::from_chars(text.data(), end, number);
        if (error != std::errc() || literalEnd != end)
            return false;
    }
    value = negative ? -static_cast<long double>(number) : static_cast<long double>(number);
    return true;
}

std::string Quoted(std::string_view lexeme)
{
    return "'" + PrintableText(lexeme, 40) + "'";
}

// Refuses what the evaluator would read without complaint but not as written: unknown names
// (which give no value), numbers with something stuck to them and numbers beyond the doubles.
// Notes the periodic functions called.
std::string CheckTokens(const std::string& text, std::string& periodic)
{
    periodic.clear();
    CParser scanner;
    scanner.SetText(text);
    for (;;) {
        int32_t start = scanner.Position();
        const int32_t token = scanner.Scan();
        if (token == CParser::END)
            return {};
        while (tralto::IsBlank(text[static_cast<std::size_t>(start)]))
            ++start;
        const std::string_view lexeme(
            text.data() + start, static_cast<std::size_t>(scanner.Position() - start));
        if (token == CParser::NAME)
            return "unknown name " + Quoted(lexeme);
        if (token == CParser::NUMBER && !IsWholeLiteral(lexeme))
            return Quoted(lexeme) + " is not a number";
        if (token == CParser::NUMBER && std::isinf(scanner.TokenValue()))
            return Quoted(lexeme) + " is beyond the range of numbers (1.8E308)";
        const bool isPeriodic
            = token == CParser::SIN || token == CParser::COS || token == CParser::TAN;
        if (isPeriodic && periodic.find(lexeme) == std::string::npos)
            periodic += (periodic.empty() ? "" : " or ") + std::string(lexeme);
    }
}

// The report of the C library's math functions in the command line's words: "ln: SING error
// (the logarithm of 0)".
std::string MathProblem(const std::string& function, const std::string& kind)
{
    const std::string name = function == "log" ? "ln"
        : function == "log10"                  ? "log"
        : function == "pow"                    ? "^"
                                               : function;
    std::string reason;
    if (kind == "SING")
        reason = name == "^" ? "0 to a negative power" : "the logarithm of 0";
    else if (kind == "OVERFLOW")
        reason = "the result is beyond the range of numbers";
    else if (kind == "DOMAIN" && (name == "asin" || name == "acos"))
        reason = "an argument beyond -1 to 1";
    else if (kind == "DOMAIN")
        reason = name == "^" ? "a negative number to a fractional power" : "a negative argument";
    return name + ": " + kind + " error" + (reason.empty() ? "" : " (" + reason + ")");
}

std::string NotFiniteProblem(long double value, const std::string& periodic)
{
    if (std::isinf(value))
        return "the result is beyond the range of numbers";
    // The evaluator gives sine, cosine and tangent no value where the argument's last bit is
    // worth more than a turn.
    if (!periodic.empty())
        return periodic
            + ": no value for an argument of 2^53 (9.007E15) or more: its period is lost";
    return "the result is not a number";
}

std::string ParseProblem(const CParseException& error)
{
    switch (error.errorCode) {
    case -1:
        return "a number, pi, a function or '(' is missing or out of place";
    case -2:
        return "syntax error (a parenthesis missing or left over?)";
    case -3:
        return "division by zero";
    case -4:
        return "bad digit in a hexadecimal or binary number";
    case -5:
        return "an operator lacks an operand";
    case -6:
        return "parentheses or functions nested too deeply";
    case -8:
        return "text too long";
    default:
        return error.what();
    }
}

} // namespace

FieldEvaluator::FieldEvaluator(bool decimalComma)
    : decimalComma_(decimalComma)
{
    SetMathErrorHandler([this](const std::string& function, const std::string& kind) {
        // The first report names the cause; what follows from its substitute value does not.
        if (mathError_.empty())
            mathError_ = MathProblem(function, kind);
    });
}

FieldEvaluator::~FieldEvaluator()
{
    SetMathErrorHandler({});
}

bool FieldEvaluator::Evaluate(std::string_view text, long double& value, std::string& problem)
{
    problem.clear();
    if (text.empty()) {
        problem = "empty";
        return false;
    }
    if (ReadPlainDecimal(text, decimalComma_ ? ',' : '.', value))
        return true;
    if (decimalComma_ && text.find('.') != std::string_view::npos) {
        problem = "holds a \".\": with --decimal-comma a number is written 2,5";
        return false;
    }
    // A window field never holds these; the evaluator would stop reading at them.
    if (text.find('\0') != std::string_view::npos) {
        problem = "holds a zero byte";
        return false;
    }
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        problem = "holds a line break";
        return false;
    }
    text_.assign(text);
    if (decimalComma_)
        std::replace(text_.begin(), text_.end(), ',', '.');
    if (EvaluateExpression(value, problem))
        return true;
    if (!decimalComma_ && text.find(',') != std::string_view::npos) {
        std::replace(text_.begin(), text_.end(), ',', '.');
        long double commaValue = 0;
        std::string commaProblem;
        if (EvaluateExpression(commaValue, commaProblem))
            problem = "a decimal comma? --decimal-comma reads it";
    }
    return false;
}

bool FieldEvaluator::EvaluateExpression(long double& value, std::string& problem)
{
    mathError_.clear();
    try {
        problem = CheckTokens(text_, periodic_);
        if (!problem.empty())
            return false;
        // The steps of EvaluateText, with the errors let out instead of turned into 0, and
        // without the trace.
        CParser parser(tralto::NoTrace);
        parser.SetText(text_);
        parser.Parse();
        const auto& stack = parser.ValueStack();
        if (stack.size() != 1)
            problem = stack.empty() ? "holds no value" : "holds more than one expression";
        else
            value = stack.back();
    } catch (const CParseException& error) {
        problem = ParseProblem(error);
    }
    if (!mathError_.empty())
        problem = mathError_;
    else if (problem.empty() && !std::isfinite(value))
        problem = NotFiniteProblem(value, periodic_);
    return problem.empty();
}
