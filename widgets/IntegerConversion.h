#pragma once

// The strict integer reading of a number field: the whole text must be one
// 32-bit integer, or the reading fails with a message that names the text.

#include <QString>

#include <cstdint>
#include <stdexcept>

class CConvertError : public std::runtime_error
{
public:
    // "'<text>' is not a valid integer value"
    explicit CConvertError(const QString& text);
};

// Optional leading blanks, an optional "+" or "-", then decimal digits, or
// hexadecimal digits after "$", "x", "X" or "0x". Nothing may follow. A
// decimal value must lie in the signed 32-bit range; hexadecimal digits may
// use all 32 bits and are read as a signed value ("$FFFFFFFF" is -1). Any
// other text, the empty text included, throws CConvertError.
int32_t StrToInt(const QString& text);
