#include "expression/Parser.h"

#include "expression/Elementary.h"
#include "expression/Numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iostream>
#include <limits>

namespace tralto {

namespace {

// The errors raised inside the evaluator; Evaluate turns each of them into 0.
[[noreturn]] void Fail(const char* message, ParseError code)
{
    throw CParseException(message, code);
}

[[noreturn]] void FailDivisionByZero()
{
    Fail("!!Division/0", ParseError::DivisionByZero);
}

// A NaN divisor compares unordered, which counts as equal to 0 here.
void RejectZeroDivisor(long double divisor)
{
    if (divisor == 0 || std::isnan(divisor))
        FailDivisionByZero();
}

// An operator whose operand left no value (a name) or a step without operands.
[[noreturn]] void FailMissingOperand()
{
    Fail("!!Operand", ParseError::MissingOperand);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char UpperCase(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether a decimal literal that lies outside the double range is too large
// rather than too small: decided by the decimal exponent of its first
// significant digit, which is far from 0 either way.
bool ExceedsDoubleRange(const char* begin, const char* end)
{
    int64_t integerDigits = 0;
    int64_t leadingFractionZeros = 0;
    bool inFraction = false;
    bool significant = false;
    const char* p = begin;
    for (; p != end && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            inFraction = true;
        } else if (significant || *p != '0') {
            significant = true;
            if (!inFraction)
                ++integerDigits;
        } else if (inFraction) {
            ++leadingFractionZeros;
        }
    }
    int64_t exponent = 0;
    if (p != end) {
        ++p;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        // Saturates far beyond any double exponent, so a long one cannot overflow.
        constexpr int64_t Saturation = int64_t(1) << 40;
        for (; p != end; ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), Saturation);
        if (negative)
            exponent = -exponent;
    }
    const int64_t leadingExponent
        = integerDigits > 0 ? integerDigits - 1 : -leadingFractionZeros - 1;
    return leadingExponent + exponent >= 0;
}

// Reads the decimal literal that starts at the digit `begin`, at double
// precision; returns where the literal ends.
const char* ReadDecimal(const char* begin, const char* end, long double& value)
{
    double number = 0;
    const auto [literalEnd, error] = std::from_chars(begin, end, number);
    if (error == std::errc::result_out_of_range)
        number
            = ExceedsDoubleRange(begin, literalEnd) ? std::numeric_limits<double>::infinity() : 0.0;
    value = number;
    return literalEnd;
}

// The trace: one line per step, numbers as the stream writes them by default
// (six significant digits, general format). It runs at every keystroke, so it
// is composed without the stream's formatting machinery and handed straight to
// the stream's buffer: the standard error's own write would flush the standard
// output before each line and the standard error after it. A null stream takes
// nothing, and nothing is composed for it.
void TraceLine(std::ostream* stream, std::string_view line)
{
    if (stream == nullptr)
        return;
    if (std::streambuf* const buffer = stream->rdbuf())
        buffer->sputn(line.data(), static_cast<std::streamsize>(line.size()));
}

// Whole numbers below a million, most of what a field holds, print as their
// digits in that format; this saves the general conversion most of the time.
char* WriteSmallWholeNumber(char* out, long double value)
{
    if (std::signbit(value))
        *out++ = '-';
    auto digits = static_cast<uint32_t>(std::fabs(value));
    char reversed[8];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    } while (digits != 0);
    while (count > 0)
        *out++ = reversed[--count];
    return out;
}

void TraceValue(std::ostream* stream, std::string_view label, long double value)
{
    if (stream == nullptr)
        return;
    char line[64];
    label.copy(line, label.size());
    char* const last = line + sizeof line - 1;
    char* const start = line + label.size();
    char* const end = std::fabs(value) < 1e6L && value == std::trunc(value)
        ? WriteSmallWholeNumber(start, value)
        : std::to_chars(start, last, value, std::chars_format::general, 6).ptr;
    *end = '\n';
    TraceLine(stream, std::string_view(line, static_cast<std::size_t>(end + 1 - line)));
}

// The truncation toward zero to 64 bits of the integer operators, low 32 bits
// kept; a value that does not fit in 64 bits (NaN and infinities included)
// gives 0.
int32_t IntegerOperand(long double x)
{
    constexpr long double Limit = 0x1p63L;
    if (!(std::fabs(x) < Limit))
        return 0;
    const auto wide = static_cast<uint64_t>(static_cast<int64_t>(x));
    return static_cast<int32_t>(static_cast<uint32_t>(wide));
}

long double IntegerStep(int32_t code, long double a, long double b)
{
    // The caller has rejected a zero or NaN divisor; one below 1 in magnitude or
    // a multiple of 2^32 still converts to 0.
    const int32_t divisor = IntegerOperand(b);
    const int32_t dividend = IntegerOperand(a);
    if (divisor == 0)
        FailDivisionByZero();
    // In 64 bits, so that -2147483648 div -1 gives 2147483648.
    const int64_t quotient = int64_t(dividend) / divisor;
    const int64_t remainder = int64_t(dividend) % divisor;
    return static_cast<long double>(code == CParser::DIV ? quotient : remainder);
}

// The function words, each with its trace label.
struct FunctionStep
{
    int32_t code;
    std::string_view label;
    long double (*apply)(long double);
};

constexpr FunctionStep FunctionSteps[] = {
    { CParser::SIN, "SIN : ", Numeric::SineOfDouble },
    { CParser::COS, "COS : ", Numeric::CosineOfDouble },
    { CParser::TAN, "TAN : ", Tangent },
    { CParser::SQRT, "SQRT: ", SquareRoot },
    { CParser::LN, "LOG : ", NaturalLogarithm },
    { CParser::LOG, "LOG10 : ", DecimalLogarithm },
    { CParser::ASIN, "aSIN : ", ArcSine },
    { CParser::ACOS, "aCOS : ", ArcCosine },
    { CParser::ATAN, "aTAN : ", ArcTangent },
};

const FunctionStep* FindFunction(int32_t code)
{
    for (const FunctionStep& step : FunctionSteps) {
        if (step.code == code)
            return &step;
    }
    return nullptr;
}

// A name has no value: its step leaves the stack as it is and only traces the
// name, found by its index in the name table.
void TraceName(const TLexemLookUp& names, long double index, std::ostream* trace)
{
    if (!(index >= 0 && index < static_cast<long double>(names.size())))
        Fail("!!Schritt", ParseError::UnknownStep);
    TraceLine(trace, names[static_cast<std::size_t>(index)].lexem);
}

// Carries out the binary operator `code` on its operands, the result in `a`.
void ApplyOperator(int32_t code, long double& a, long double b, std::ostream* trace)
{
    switch (code) {
    case '+':
        a += b;
        TraceLine(trace, "+\n");
        break;
    case '-':
        a -= b;
        TraceLine(trace, "-\n");
        break;
    case '*':
        a *= b;
        TraceLine(trace, "*\n");
        break;
    case '/':
        RejectZeroDivisor(b);
        a /= b;
        TraceLine(trace, "/\n");
        break;
    case '^':
        a = Power(a, b);
        TraceLine(trace, "^\n");
        break;
    default: // DIV, MOD
        RejectZeroDivisor(b);
        a = IntegerStep(code, a, b);
        TraceLine(trace, code == CParser::DIV ? "DIV \n" : "MOD \n");
        break;
    }
}

bool IsAdditive(int32_t code)
{
    return code == '+' || code == '-';
}

bool IsMultiplicative(int32_t code)
{
    return code == '*' || code == '/' || code == '^' || code == CParser::DIV
        || code == CParser::MOD;
}

} // namespace

CParseException::CParseException(const std::string& message, ParseError code)
    : std::logic_error(message)
    , errorCode(static_cast<int8_t>(code))
{
}

const std::array<CLexemEntry, TLexemLookUp::ReservedCount>& TLexemLookUp::ReservedWords()
{
    static const std::array<CLexemEntry, ReservedCount> words { {
        { "div", CParser::DIV },
        { "mod", CParser::MOD },
        { "sin", CParser::SIN },
        { "cos", CParser::COS },
        { "tan", CParser::TAN },
        { "pi", CParser::PI },
        { "sqrt", CParser::SQRT },
        { "ln", CParser::LN },
        { "log", CParser::LOG },
        { "asin", CParser::ASIN },
        { "acos", CParser::ACOS },
        { "atan", CParser::ATAN },
    } };
    return words;
}

int32_t TLexemLookUp::Find(std::string_view lexem) const
{
    const auto& reserved = ReservedWords();
    for (std::size_t index = 0; index < ReservedCount; ++index) {
        if (reserved[index].lexem == lexem)
            return static_cast<int32_t>(index);
    }
    if (names.empty())
        return -1;
    const auto found = nameIndex.find(lexem);
    return found == nameIndex.end() ? -1 : found->second;
}

int32_t TLexemLookUp::Append(std::string_view lexem, int32_t code)
{
    const auto index = static_cast<int32_t>(size());
    names.push_back(CLexemEntry { std::string(lexem), code });
    nameIndex.emplace(std::string(lexem), index);
    return index;
}

const CLexemEntry& TLexemLookUp::operator[](std::size_t index) const
{
    return index < ReservedCount ? ReservedWords()[index] : names[index - ReservedCount];
}

// One open parenthesis, unary minus or function word.
class CParser::NestingLevel
{
public:
    explicit NestingLevel(int& depth)
        : depth(depth)
    {
        if (depth >= MaxNesting)
            Fail("!!Schachtelung", ParseError::NestingTooDeep);
        ++depth;
    }
    ~NestingLevel() { --depth; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

private:
    int& depth;
};

CParser::CParser() = default;

CParser::CParser(TraceStreams trace)
    : trace(trace)
{
}

CParser::~CParser() = default;

long double CParser::Evaluate(const std::string& newText)
{
    try {
        SetText(newText);
        valueStack.clear();
        // Enough for the operands of an ordinary field in one allocation.
        valueStack.reserve(16);
        Parse();
        if (valueStack.empty())
            return 0.0L;
        // Values of earlier expressions of the text stay below, unread.
        const long double result = valueStack.back();
        valueStack.pop_back();
        return result;
    } catch (...) {
        valueStack.clear();
        return 0.0L;
    }
}

void CParser::SetText(const std::string& newText)
{
    // The text ends at its first zero byte, as a field's text does.
    const std::size_t length = std::strlen(newText.c_str());
    if (length > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
        Fail("!!Textlaenge", ParseError::TextTooLong);
    text.assign(newText.data(), length);
    position = 0;
}

int32_t CParser::Scan()
{
    const auto length = static_cast<int32_t>(text.size());
    while (position < length) {
        const char c = text[position++];
        if (IsBlank(c))
            continue;
        if (IsDigit(c))
            return ScanNumber(position - 1);
        if (IsLetter(c))
            return ScanName(position - 1);
        if (c == '\n')
            return END;
        // Bytes from 0x80 on give negative codes, which no rule accepts.
        return static_cast<int8_t>(c);
    }
    return END;
}

int32_t CParser::RunEnd(int32_t from) const
{
    const auto length = static_cast<int32_t>(text.size());
    while (from < length && (IsDigit(text[from]) || IsLetter(text[from]) || text[from] == '.'))
        ++from;
    return from;
}

int32_t CParser::ScanNumber(int32_t start)
{
    // The character after the first digit decides the kind, so '3x' is a
    // hexadecimal 0 and '2pi' the number 2.
    const char kind = UpperCase(text[start + 1]);
    if (kind == 'X' || kind == 'B') {
        position = RunEnd(start + 1);
        tokenValue = RadixValue(start, position, kind == 'X' ? 4 : 1);
        return NUMBER;
    }
    const char* const data = text.data();
    const char* const literalEnd = ReadDecimal(data + start, data + text.size(), tokenValue);
    // The token covers the literal, signed exponent included, and whatever
    // letters, digits and points stick to it.
    position = RunEnd(static_cast<int32_t>(literalEnd - data));
    return NUMBER;
}

long double CParser::RadixValue(int32_t start, int32_t end, int bitsPerDigit) const
{
    const bool hexadecimal = bitsPerDigit == 4;
    const char marker = hexadecimal ? 'X' : 'B';
    // 32-bit arithmetic: only the last 32 bits of the number count, and the
    // pattern reads as a signed integer (0xFFFFFFFF is -1).
    uint32_t pattern = 0;
    uint32_t weight = 1;
    for (int32_t index = end - 1; index > start; --index) {
        const char c = UpperCase(text[index]);
        if (c == marker)
            break;
        uint32_t digit = 0;
        if (hexadecimal && IsDigit(c))
            digit = static_cast<uint32_t>(c - '0');
        else if (hexadecimal && c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else if (hexadecimal)
            Fail("!!Hexzahl", ParseError::BadDigit);
        else if (c == '0' || c == '1')
            digit = static_cast<uint32_t>(c - '0');
        else
            Fail("!!Binaerzahl", ParseError::BadDigit);
        pattern += digit * weight;
        weight <<= bitsPerDigit;
    }
    return static_cast<int32_t>(pattern);
}

int32_t CParser::ScanName(int32_t start)
{
    const auto length = static_cast<int32_t>(text.size());
    int32_t end = start + 1;
    while (end < length && (IsDigit(text[end]) || IsLetter(text[end])))
        ++end;
    position = end;
    if (end < length && text[end] == '\n')
        ++position;
    const std::string_view lexem(text.data() + start, static_cast<std::size_t>(end - start));
    int32_t index = lexemTable.Find(lexem);
    if (index < 0)
        index = lexemTable.Append(lexem, NAME);
    tokenValue = index;
    return lexemTable[static_cast<std::size_t>(index)].code;
}

void CParser::Parse()
{
    nesting = 0;
    lookahead = Scan();
    while (lookahead != END)
        Expression();
}

void CParser::Match(int32_t expected)
{
    if (lookahead != expected)
        Fail("!!SYNTAX", ParseError::UnexpectedToken);
    lookahead = Scan();
}

// An operator takes its operands from the values its own operands left above
// `base`; a name leaves none, and the values of earlier expressions of the
// text are no operands.
void CParser::RequireOperands(std::size_t base, std::size_t count) const
{
    if (valueStack.size() < base + count)
        FailMissingOperand();
}

void CParser::Expression()
{
    LeftAssociative(&CParser::Term, IsAdditive);
}

void CParser::Term()
{
    LeftAssociative(&CParser::Factor, IsMultiplicative);
}

// operand { operator operand }, each operation carried out as soon as its
// right operand is read.
void CParser::LeftAssociative(void (CParser::*operand)(), bool (*isOperator)(int32_t))
{
    const std::size_t base = valueStack.size();
    (this->*operand)();
    while (isOperator(lookahead)) {
        const int32_t operation = lookahead;
        Match(operation);
        (this->*operand)();
        RequireOperands(base, 2);
        Emit(operation, 0.0L);
    }
}

void CParser::Factor()
{
    const int32_t token = lookahead;
    if (token == NUMBER) {
        Emit(NUMBER, tokenValue);
        Match(NUMBER);
    } else if (token == PI) {
        Emit(NUMBER, Numeric::Pi);
        Match(PI);
    } else if (token == NAME) {
        Emit(NAME, tokenValue);
        Match(NAME);
    } else if (token == '(') {
        const NestingLevel level(nesting);
        Match('(');
        Expression();
        Match(')');
    } else if (token == '-') {
        const NestingLevel level(nesting);
        TraceLine(trace.output, "Vorzeichenminus - \n");
        Match('-');
        const std::size_t base = valueStack.size();
        Factor();
        RequireOperands(base, 1);
        valueStack.back() = -valueStack.back();
    } else if (FindFunction(token) != nullptr) {
        const NestingLevel level(nesting);
        Match(token);
        const std::size_t base = valueStack.size();
        Factor();
        RequireOperands(base, 1);
        Emit(token, 0.0L);
    } else {
        Fail("!!FAKTOR", ParseError::MissingFactor);
    }
}

long double CParser::Pop()
{
    const long double value = valueStack.back();
    valueStack.pop_back();
    return value;
}

void CParser::Emit(int32_t code, long double value)
{
    switch (code) {
    case NUMBER:
        valueStack.push_back(value);
        TraceValue(trace.error, {}, value);
        return;
    case NAME:
        TraceName(lexemTable, value, trace.error);
        return;
    default:
        break;
    }
    if (const FunctionStep* function = FindFunction(code)) {
        RequireOperands(0, 1);
        long double& x = valueStack.back();
        x = function->apply(x);
        TraceValue(trace.error, function->label, x);
        return;
    }
    if (!IsAdditive(code) && !IsMultiplicative(code))
        Fail("!!Schritt", ParseError::UnknownStep);
    RequireOperands(0, 2);
    const long double b = Pop();
    ApplyOperator(code, valueStack.back(), b, trace.error);
}

long double EvaluateText(const std::string& text)
{
    return EvaluateText(text, { &std::cout, &std::cerr });
}

long double EvaluateText(const std::string& text, TraceStreams trace)
{
    if (text.empty())
        return 0.0L;
    CParser parser(trace);
    return parser.Evaluate(text);
}

} // namespace tralto
