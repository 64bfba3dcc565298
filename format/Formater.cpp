#include "format/Formater.h"

#include "format/SettingsStore.h"

namespace {

int formatKind = 0;
int precision = 5;
int digits = 1;

} // namespace

void SetFormatKind(int kind)
{
    formatKind = kind;
}

int GetFormatKind()
{
    return formatKind;
}

void SetPrecision(int value)
{
    precision = value;
}

int GetPrecision()
{
    return precision;
}

void SetDigits(int value)
{
    digits = value;
}

int GetDigits()
{
    return digits;
}

void ReadFormatSettings(SettingsStore& settings)
{
    SetFormatKind(settings.ReadInteger("Formater", "Format", 0));
    SetPrecision(settings.ReadInteger("Formater", "Precision", 5));
    SetDigits(settings.ReadInteger("Formater", "Digits", 1));
}

void WriteFormatSettings(SettingsStore& settings)
{
    settings.WriteInteger("Formater", "Format", GetFormatKind());
    settings.WriteInteger("Formater", "Precision", GetPrecision());
    settings.WriteInteger("Formater", "Digits", GetDigits());
}
