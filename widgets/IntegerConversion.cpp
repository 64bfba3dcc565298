#include "widgets/IntegerConversion.h"

namespace {

// The value of an ASCII digit in the base, or -1. Digits of other scripts
// are not numbers here.
int DigitValue(QChar character, int base)
{
    const char16_t code = character.unicode();
    if (code >= u'0' && code <= u'9')
        return code - u'0';
    if (base == 16) {
        if (code >= u'a' && code <= u'f')
            return code - u'a' + 10;
        if (code >= u'A' && code <= u'F')
            return code - u'A' + 10;
    }
    return -1;
}

bool IsHexadecimalX(QChar character)
{
    return character == QLatin1Char('x') || character == QLatin1Char('X');
}

} // namespace

CConvertError::CConvertError(const QString& text)
    : std::runtime_error(
        (QLatin1Char('\'') + text + QStringLiteral("' is not a valid integer value")).toStdString())
{
}

int32_t StrToInt(const QString& text)
{
    const qsizetype length = text.size();
    qsizetype position = 0;
    while (position < length && text[position] == QLatin1Char(' '))
        ++position;

    bool negative = false;
    if (position < length
        && (text[position] == QLatin1Char('+') || text[position] == QLatin1Char('-'))) {
        negative = text[position] == QLatin1Char('-');
        ++position;
    }

    int base = 10;
    if (position < length
        && (text[position] == QLatin1Char('$') || IsHexadecimalX(text[position]))) {
        base = 16;
        position += 1;
    } else if (position + 1 < length && text[position] == QLatin1Char('0')
        && IsHexadecimalX(text[position + 1])) {
        base = 16;
        position += 2;
    }
    if (position == length)
        throw CConvertError(text);

    // Hexadecimal digits fill the 32 bits of the value; a decimal magnitude
    // may reach 2^31 only for a negative value.
    const uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    uint64_t magnitude = 0;
    for (; position < length; ++position) {
        const int digit = DigitValue(text[position], base);
        if (digit < 0)
            throw CConvertError(text);
        magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (magnitude > limit)
            throw CConvertError(text);
    }
    // Modular arithmetic on the 32 bits: "-$80000000" and "-2147483648" are
    // the smallest value, "-$FFFFFFFF" is 1.
    uint32_t bits = static_cast<uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    return static_cast<int32_t>(bits);
}
