#pragma once

#include "format/Formater.h"

#include <QByteArray>
#include <QMetaType>

using tralto::NumberLayout;
using tralto::NumberSeparators;
using tralto::OfferedFormatKind;

// Values enter the tables as extended numbers; most are written as double
// literals, because the program's values start as doubles too.
Q_DECLARE_METATYPE(long double)
Q_DECLARE_METATYPE(TFloatFormat)

inline long double Extended(double value)
{
    return value;
}

inline QByteArray Utf8(const std::string& text)
{
    return QByteArray::fromStdString(text);
}

// Every test starts from the settings and separators of a fresh start.
inline void RestoreFormatDefaults()
{
    const FormatSettings defaults;
    SetFormatKind(defaults.kind);
    SetPrecision(defaults.precision);
    SetDigits(defaults.digits);
    SetNumberSeparators(".", ",");
}
