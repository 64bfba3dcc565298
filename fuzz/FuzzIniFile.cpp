// Feeds arbitrary bytes to the settings file as its content: reads of the
// program's keys, then a write and the reads again. A write must read back
// exactly, must leave every other key as it was and must not drop lines.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/IniFile.h"

namespace {

const QString& SettingsPath()
{
    static const QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("Tralmain.ini"));
    return path;
}

QByteArray Content()
{
    QFile file(SettingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(SettingsPath());
        Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Check(file.write(input) == input.size());
    }

    IniFile ini(SettingsPath());
    const int32_t format = ini.ReadInteger("Formater", "Format", 0);
    const int32_t precision = ini.ReadInteger("formater", "PRECISION", 5);
    const std::string language = ini.ReadString("Language", "CommonLangExt", "");
    ini.ReadInteger("Coord", "Dim", 3);

    // The value written comes from the input too: quotes, blanks, bytes of
    // every kind. A line break is stored as a blank.
    std::string value = input.right(12).toStdString();
    ini.WriteString("Coord", "Dim", value);
    for (char& c : value) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    Check(ini.ReadString("coord", "dim", "<none>") == value);
    Check(ini.ReadInteger("Formater", "Format", 0) == format);
    Check(ini.ReadInteger("Formater", "Precision", 5) == precision);
    Check(ini.ReadString("Language", "CommonLangExt", "") == language);
    Check(Content().count('\n') >= input.count('\n'));

    ini.WriteInteger("Language", "CommonLangExt", -12345);
    Check(ini.ReadInteger("Language", "CommonLangExt", 0) == -12345);
    Check(ini.ReadString("Coord", "Dim", "<none>") == value);
    return 0;
}
