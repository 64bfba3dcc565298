#include "localisation/Languagefiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTranslator>

namespace {

const QString FilePrefix = QStringLiteral("Sharedlex.");
constexpr qsizetype CodeLength = 3;

// A language file holds a few dozen short texts; anything far larger is not
// one and is not read into memory.
constexpr qint64 MaximumFileSize = 16 * 1024 * 1024;

// The file's bytes, kept for the translator that reads its texts from them.
// A base class, so that the bytes are released only after the translator.
struct LanguageFileBytes
{
    QByteArray bytes;
};

// The translator works on a copy of the file in memory rather than on a
// mapping of the file: a language file rebuilt or truncated while the program
// runs then cannot pull the texts out from under it.
class LanguageFile : private LanguageFileBytes, public QTranslator
{
public:
    explicit LanguageFile(QByteArray content)
        : LanguageFileBytes { std::move(content) }
    {
    }

    bool Load(const QString& folder)
    {
        return load(reinterpret_cast<const uchar*>(bytes.constData()),
            static_cast<int>(bytes.size()), folder);
    }
};

} // namespace

QString LanguageFolderPath(const QString& programFilePath)
{
    return QFileInfo(programFilePath).absoluteDir().filePath(QStringLiteral("language"));
}

std::unique_ptr<QTranslator> OpenLanguageFile(const QString& languageFolder, const QString& code)
{
    // A code names a file of the folder, never a path elsewhere.
    if (code.isEmpty() || code.contains(QLatin1Char('/')))
        return nullptr;
    const QFileInfo info(QDir(languageFolder).filePath(FilePrefix + code));
    if (!info.isFile() || info.size() > MaximumFileSize)
        return nullptr;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QByteArray content = file.read(MaximumFileSize + 1);
    if (file.error() != QFileDevice::NoError || content.size() > MaximumFileSize)
        return nullptr;
    auto languageFile = std::make_unique<LanguageFile>(std::move(content));
    if (!languageFile->Load(info.absolutePath()))
        return nullptr;
    return languageFile;
}

QString LanguageFileText(const QTranslator* file, int32_t number)
{
    if (file == nullptr)
        return {};
    // Text numbers are message IDs; an ID-based message has no context.
    return file->translate(nullptr, QByteArray::number(number).constData());
}

QString LanguageCodeOfFile(const QString& fileName, LanguageCodeRule rule)
{
    if (rule == LanguageCodeRule::Dialog)
        return fileName.right(CodeLength);
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return fileName.mid(dot + 1, CodeLength);
}

QStringList FindLanguageFiles(const QString& languageFolder)
{
    const QDir folder(languageFolder, FilePrefix + QLatin1Char('*'), QDir::Unsorted,
        QDir::Files | QDir::CaseSensitive);
    return folder.entryList();
}

QStringList FindLanguageCodes(const QString& languageFolder, LanguageCodeRule rule)
{
    return LanguageCodesOfFiles(FindLanguageFiles(languageFolder), rule);
}

QStringList LanguageCodesOfFiles(const QStringList& fileNames, LanguageCodeRule rule)
{
    QStringList codes;
    for (const QString& fileName : fileNames) {
        const QString code = LanguageCodeOfFile(fileName, rule);
        if (!code.isEmpty() && code != QLatin1String("tds"))
            codes.append(code);
    }
    return codes;
}
