#include "localisation/Languagefiles.h"

#include "localisation/LanguageFileReader.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString FilePrefix = QStringLiteral("Sharedlex.");
constexpr qsizetype CodeLength = 3;

// A language file holds a few dozen short texts; anything far larger is not
// one and is not read into memory.
constexpr qint64 MaximumFileSize = 16 * 1024 * 1024;

// The handle of an open language file. Its texts are read by our own checked
// reader from a copy of the file in memory; Qt's loader never sees the bytes,
// and a file rebuilt or truncated while the program runs cannot pull the
// texts out from under it.
class LanguageFile : public QTranslator
{
public:
    explicit LanguageFile(LanguageFileReader reader)
        : reader_(std::move(reader))
    {
    }

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
        int /*n*/) const override
    {
        // Texts are filed by ID alone, without a context.
        if (sourceText == nullptr || (context != nullptr && *context != '\0'))
            return {};
        return reader_.Text(sourceText);
    }

    bool isEmpty() const override { return false; }

    QString Locale() const { return reader_.Language(); }

private:
    LanguageFileReader reader_;
};

} // namespace

QString LanguageFolderPath(const QString& programFilePath)
{
    return QFileInfo(programFilePath).absoluteDir().filePath(QStringLiteral("language"));
}

QString LanguageFilePath(const QString& languageFolder, const QString& code)
{
    return QDir(languageFolder).filePath(FilePrefix + code);
}

std::unique_ptr<QTranslator> OpenLanguageFile(const QString& languageFolder, const QString& code)
{
    // A code names a file of the folder, never a path elsewhere.
    if (code.isEmpty() || code.contains(QLatin1Char('/')))
        return nullptr;
    const QByteArray path = QFile::encodeName(LanguageFilePath(languageFolder, code));
    // Opened without waiting, and then only read when it is a plain file: a
    // FIFO in its place (or one swapped in after a look at the name) must
    // never hold the program until something writes to it.
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return nullptr;
    struct stat status
    {
    };
    QFile file;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)
        || status.st_size > MaximumFileSize
        || !file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return nullptr;
    }
    // As much as the file holds, and a byte more to see whether it grew since:
    // a buffer of the whole cap for each file would cost 16 MB at every open.
    QByteArray content = file.read(status.st_size + 1);
    if (content.size() > status.st_size)
        content += file.read(MaximumFileSize + 1 - content.size());
    if (file.error() != QFileDevice::NoError || content.size() > MaximumFileSize)
        return nullptr;
    std::optional<LanguageFileReader> reader = LanguageFileReader::Open(std::move(content));
    if (!reader)
        return nullptr;
    return std::make_unique<LanguageFile>(std::move(*reader));
}

QString LanguageFileText(const QTranslator* file, int32_t number)
{
    if (file == nullptr)
        return {};
    // Text numbers are message IDs; an ID-based message has no context.
    return file->translate(nullptr, QByteArray::number(number).constData());
}

QString LanguageFileLocale(const QTranslator* file)
{
    const auto* languageFile = dynamic_cast<const LanguageFile*>(file);
    return languageFile != nullptr ? languageFile->Locale() : QString();
}

bool IsLanguageCode(const QString& code)
{
    return code.size() == CodeLength && std::all_of(code.begin(), code.end(), [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    });
}

QStringList FindLanguageCodes(const QString& languageFolder)
{
    // Read in the order the file system keeps; what is offered is sorted.
    const QDir folder(languageFolder, FilePrefix + QLatin1Char('*'), QDir::Unsorted,
        QDir::Files | QDir::CaseSensitive);
    QStringList codes;
    for (const QString& fileName : folder.entryList()) {
        const QString code = fileName.mid(FilePrefix.size());
        if (IsLanguageCode(code) && code != QLatin1String("tds"))
            codes.append(code);
    }
    // A folder holds each name once, so each code comes once.
    codes.sort(Qt::CaseSensitive);
    return codes;
}

qsizetype SuitedLanguage(
    const QStringList& codes, const QStringList& fileLocales, const QLocale& user)
{
    for (const QString& wanted : user.uiLanguages()) {
        const QLocale wish(wanted);
        if (wish.language() == QLocale::C || wish.language() == QLocale::AnyLanguage)
            continue;
        qsizetype sameLanguage = -1;
        for (qsizetype i = 0; i < fileLocales.size(); ++i) {
            if (fileLocales[i].isEmpty())
                continue;
            const QLocale made(fileLocales[i]);
            if (made.language() != wish.language())
                continue;
            if (made.territory() == wish.territory())
                return i;
            if (sameLanguage < 0)
                sameLanguage = i;
        }
        if (sameLanguage >= 0)
            return sameLanguage;
    }
    const qsizetype english = codes.indexOf(FallbackLanguageCode);
    if (english >= 0)
        return english;
    return codes.isEmpty() ? -1 : 0;
}
