#pragma once

// The expression evaluator behind every input field.
// field text → Scan (tokens) → Expression/Term/Factor (recursive descent, one
// token of lookahead) → Emit (each postfix step carried out at once on the value
// stack) → the value of the last expression. Every error ends as the value 0.
// Every step can also write a diagnostic trace line to streams the caller
// chooses (TraceStreams); EvaluateText writes it to the standard output and error.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tralto {

// The errors of the evaluator, with the codes CParseException carries.
enum class ParseError : int8_t
{
    MissingFactor = -1, // "!!FAKTOR": a token that starts no factor
    UnexpectedToken = -2, // "!!SYNTAX": another token than the expected one
    DivisionByZero = -3, // "!!Division/0"
    BadDigit = -4, // "!!Hexzahl", "!!Binaerzahl": a bad digit of a hexadecimal or binary number
    MissingOperand = -5, // "!!Operand": an operator without its operands (a name has no value)
    NestingTooDeep = -6, // "!!Schachtelung": nesting deeper than CParser::MaxNesting
    UnknownStep = -7, // "!!Schritt": a step the evaluator does not know
    TextTooLong = -8, // "!!Textlaenge": a text of 2^31 bytes or more
};

// The one error type of the evaluator; it never leaves CParser::Evaluate.
// errorCode holds the ParseError.
class CParseException : public std::logic_error
{
public:
    CParseException(const std::string& message, ParseError code);

    ParseError Error() const { return static_cast<ParseError>(errorCode); }

    int8_t errorCode;
};

struct CLexemEntry
{
    std::string lexem;
    int32_t code;
};

// The name table: the twelve reserved words at indices 0 to 11, then the names
// met in the current text, each once, in the order they were met. The reserved
// words are shared by every table, so a fresh parser allocates nothing for them.
class TLexemLookUp
{
public:
    static constexpr std::size_t ReservedCount = 12;

    // Index of the entry whose lexem is exactly `lexem`, or -1.
    int32_t Find(std::string_view lexem) const;
    // Appends a name that Find did not know and returns its index.
    int32_t Append(std::string_view lexem, int32_t code);

    std::size_t size() const { return ReservedCount + names.size(); }
    const CLexemEntry& operator[](std::size_t index) const;

private:
    static const std::array<CLexemEntry, ReservedCount>& ReservedWords();

    // Looks names up by view, without a copy of the text.
    struct NameHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const
        {
            return std::hash<std::string_view> {}(name);
        }
    };

    std::vector<CLexemEntry> names;
    // Keeps the scan linear in the text even when it holds many names.
    std::unordered_map<std::string, int32_t, NameHash, std::equal_to<>> nameIndex;
};

// Where the evaluator writes its trace: the unary minus ("Vorzeichenminus - ")
// to output, every other step to error, one line each, straight into the
// streams' buffers (no flush). A null stream takes nothing.
struct TraceStreams
{
    std::ostream* output = nullptr;
    std::ostream* error = nullptr;
};

inline constexpr TraceStreams NoTrace {};

// The blanks the scanner skips between tokens: space and tab.
constexpr bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

class CParser
{
public:
    // Token codes besides single characters (their signed byte value).
    static constexpr int32_t NUMBER = 256;
    static constexpr int32_t NAME = 257;
    static constexpr int32_t END = 258;
    // Reserved words; 1004 belongs to none.
    static constexpr int32_t DIV = 1000;
    static constexpr int32_t MOD = 1001;
    static constexpr int32_t SIN = 1002;
    static constexpr int32_t COS = 1003;
    static constexpr int32_t TAN = 1005;
    static constexpr int32_t PI = 1006;
    static constexpr int32_t SQRT = 1007;
    static constexpr int32_t LN = 1008;
    static constexpr int32_t LOG = 1009;
    static constexpr int32_t ASIN = 1010;
    static constexpr int32_t ACOS = 1011;
    static constexpr int32_t ATAN = 1012;

    // Parentheses, unary minuses and function words open at once; one more ends
    // the evaluation with 0 instead of exhausting the call stack.
    static constexpr int MaxNesting = 1000;

    // Without a trace.
    CParser();
    explicit CParser(TraceStreams trace);
    virtual ~CParser();

    // Value of the last expression of `text`; 0 for a text without one and for
    // every error. Never throws.
    long double Evaluate(const std::string& text);

    // Scanner: starts reading `newText` (up to its first zero byte) from the front.
    void SetText(const std::string& newText);
    // Reads the next token, returns its code and sets the token value.
    int32_t Scan();

    // Parses the whole text, one expression after another, handing each step to
    // Emit; lets the first error out.
    void Parse();
    // Parser rules; each leaves in the lookahead the first token after what it read.
    void Match(int32_t expected);
    void Expression();
    void Term();
    void Factor();

    // Carries out one postfix step on the value stack.
    void Emit(int32_t code, long double value);

    long double TokenValue() const { return tokenValue; }
    int32_t Position() const { return position; }
    int32_t Lookahead() const { return lookahead; }
    const TLexemLookUp& LexemTable() const { return lexemTable; }
    const std::vector<long double>& ValueStack() const { return valueStack; }
    TraceStreams Trace() const { return trace; }
    void SetTrace(TraceStreams newTrace) { trace = newTrace; }

private:
    class NestingLevel;

    int32_t ScanNumber(int32_t start);
    int32_t ScanName(int32_t start);
    int32_t RunEnd(int32_t from) const;
    long double RadixValue(int32_t start, int32_t end, int bitsPerDigit) const;
    void LeftAssociative(void (CParser::*operand)(), bool (*isOperator)(int32_t));
    void RequireOperands(std::size_t base, std::size_t count) const;
    long double Pop();

    long double tokenValue = 0.0L;
    int32_t position = 0;
    int32_t lookahead = END;
    std::string text;
    TLexemLookUp lexemTable;
    std::vector<long double> valueStack;
    int nesting = 0;
    TraceStreams trace;
};

// Value of an input field's text: 0 for an empty text and for every error. The
// trace goes to the standard output and error (std::cout, std::cerr), or to the
// given streams.
long double EvaluateText(const std::string& text);
long double EvaluateText(const std::string& text, TraceStreams trace);

// Receives the domain errors of the elementary functions, with the function's
// name ("sqrt", "log", "log10", "asin", "acos", "pow") and the kind ("DOMAIN",
// "SING", "OVERFLOW"). The default writes "<function>: <kind> error" to
// std::cerr; an empty function restores it.
using MathErrorHandler = std::function<void(const std::string& function, const std::string& kind)>;
void SetMathErrorHandler(MathErrorHandler handler);

} // namespace tralto

// Reached without the namespace by the program and by code written before it.
using tralto::CParseException;
using tralto::CParser;
using tralto::EvaluateText;
using tralto::MathErrorHandler;
using tralto::SetMathErrorHandler;
