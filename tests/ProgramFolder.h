#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// The i-th of the codes "aaa", "aab", … "zzz", for folders of many languages.
inline QString MadeUpLanguageCode(int i)
{
    const QChar letters[]
        = { QChar(u'a' + i / 676 % 26), QChar(u'a' + i / 26 % 26), QChar(u'a' + i % 26) };
    return QString(letters, 3);
}

// A program folder of a test's own: "Tralmain" with the shipped language
// files (as built) beside it and, when a test writes one, a settings file.
// Needs TRALTO_LANGUAGE_DIR, the built language folder.
class ProgramFolder
{
public:
    ProgramFolder()
    {
        valid_ = dir_.isValid() && QDir(dir_.path()).mkdir(QStringLiteral("language"));
        const QDir built(QStringLiteral(TRALTO_LANGUAGE_DIR));
        for (const QString& name : built.entryList(QDir::Files))
            valid_ = valid_ && QFile::copy(built.filePath(name), LanguageFolder() + '/' + name);
    }

    bool IsValid() const { return valid_; }
    QString ProgramPath() const { return dir_.filePath(QStringLiteral("Tralmain")); }
    QString SettingsPath() const { return dir_.filePath(QStringLiteral("Tralmain.ini")); }
    QString LanguageFolder() const { return dir_.filePath(QStringLiteral("language")); }

    bool WriteSettings(const QByteArray& content) const
    {
        QFile file(SettingsPath());
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }
    QByteArray ReadSettings() const
    {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
    bool valid_ = false;
};
