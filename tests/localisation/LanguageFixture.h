#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// Every text number the program reads from a language file.
inline const QList<int> ProgramTextNumbers
    = { 100, 102, 103, 104, 105, 106, 500, 501, 503, 516, 517, 521, 551, 552, 553, 554, 555, 603,
          604, 605, 606, 607, 608, 609, 610, 611, 612, 620, 621, 622 };

// A program folder of its own, "Tralmain" with an empty "language" folder
// beside it, into which a test puts the language files it needs: compiled
// fixtures of known content ("deu", "enu", and "short", which lacks the
// texts 551 and 555) under any name, or bytes of its own.
class LanguageFixture
{
public:
    LanguageFixture()
    {
        valid_ = dir_.isValid() && QDir(dir_.path()).mkdir(QStringLiteral("language"));
    }

    bool IsValid() const { return valid_; }
    QString ProgramPath() const { return dir_.filePath(QStringLiteral("Tralmain")); }
    QString Folder() const { return dir_.filePath(QStringLiteral("language")); }
    QString FilePath(const QString& fileName) const
    {
        return Folder() + QLatin1Char('/') + fileName;
    }

    static QByteArray FixtureBytes(const QString& fixture)
    {
        QFile file(
            QStringLiteral(TRALTO_FIXTURE_DIR "/Fixture_") + fixture + QStringLiteral(".qm"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool AddCopy(const QString& fileName, const QString& fixture) const
    {
        const QByteArray bytes = FixtureBytes(fixture);
        return !bytes.isEmpty() && AddBytes(fileName, bytes);
    }

    // "Sharedlex.deu" and "Sharedlex.enu", the pair most tests switch between.
    bool AddGermanAndEnglish() const
    {
        return AddCopy(QStringLiteral("Sharedlex.deu"), QStringLiteral("deu"))
            && AddCopy(QStringLiteral("Sharedlex.enu"), QStringLiteral("enu"));
    }

    bool AddBytes(const QString& fileName, const QByteArray& bytes) const
    {
        QFile file(FilePath(fileName));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    bool AddFolder(const QString& name) const { return QDir(Folder()).mkdir(name); }

private:
    QTemporaryDir dir_;
    bool valid_ = false;
};
