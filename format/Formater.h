#pragma once

// Stand-in for the number formatter: only the three format settings and
// their transfer to and from the settings file. The full formatter replaces
// this unit.

class SettingsStore;

void SetFormatKind(int kind);
int GetFormatKind();
void SetPrecision(int precision);
int GetPrecision();
void SetDigits(int digits);
int GetDigits();

// Section "Formater", keys "Format", "Precision", "Digits", in this order.
void ReadFormatSettings(SettingsStore& settings);
void WriteFormatSettings(SettingsStore& settings);
