#include <QDataStream>
#include <QFile>
#include <QIODevice>
#include <QTest>
#include <QTranslator>

#include <map>

#include "localisation/LanguageFileReader.h"
#include "localisation/Languagefiles.h"
#include "tests/LanguageFileBuilder.h"
#include "tests/TestMain.h"
#include "tests/localisation/LanguageFixture.h"

namespace {

using namespace LanguageFileBuilder;

const std::map<QByteArray, QString> GermanTexts
    = { { "100", QStringLiteral("Deutsch") }, { "551", QStringLiteral("kartesisch") } };

QByteArray Dependencies(const QStringList& names)
{
    QByteArray content;
    QDataStream stream(&content, QIODevice::WriteOnly);
    for (const QString& name : names)
        stream << name;
    return Block(0x96, content);
}

QByteArray ShippedEnglish()
{
    QFile file(QStringLiteral(TRALTO_LANGUAGE_DIR "/Sharedlex.enu"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Reads every program text of the bytes, if they open; the sanitizers of the
// test run see every access. Gives whether the bytes opened.
bool OpensAndReads(const QByteArray& bytes)
{
    const std::optional<LanguageFileReader> file = LanguageFileReader::Open(bytes);
    if (!file)
        return false;
    for (const int number : ProgramTextNumbers)
        file->Text(QByteArray::number(number));
    return true;
}

} // namespace

class LanguageFileReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void builtFileReads()
    {
        const std::optional<LanguageFileReader> file
            = LanguageFileReader::Open(FileParts(GermanTexts).Bytes());
        QVERIFY(file);
        QCOMPARE(file->Text("551"), QStringLiteral("kartesisch"));
        QCOMPARE(file->Text("100"), QStringLiteral("Deutsch"));
        QVERIFY(file->Text("552").isNull());
        QVERIFY(file->Text("55").isNull());
        QVERIFY(file->Text({}).isNull());
    }

    void damagedFilesDoNotOpen_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        FileParts parts(GermanTexts);
        const QByteArray whole = parts.Bytes();
        const qsizetype messagesAt = Magic.size() + parts.language.size() + parts.hashes.size();
        const qsizetype tableAt = Magic.size() + parts.language.size() + 5;

        QTest::newRow("magic only") << Magic;
        QTest::newRow("no messages") << Magic + parts.language + parts.hashes;
        QTest::newRow("no hash table") << Magic + parts.language + parts.messages;
        QTest::newRow("cut in the last message") << whole.chopped(1);
        QTest::newRow("bytes after the last block") << whole + '\0';
        QTest::newRow("half a block header") << whole + QByteArray("\x42\0\0", 3);
        QTest::newRow("empty block") << whole + Block(0xa7, {});
        QTest::newRow("unknown block") << whole + Block(0x55, "x");
        QTest::newRow("second message block") << whole + parts.messages;
        QTest::newRow("block longer than the file")
            << Magic + parts.language + parts.hashes + char(0x69) + Big32(0xffffffffu);
        QTest::newRow("contexts instead of IDs") << whole + Block(0x2f, QByteArray("\0\1\0\0", 4));
        QTest::newRow("cut plural rules") << whole + Block(0x88, QByteArray("\x04\x02", 2));
        QTest::newRow("plural rules ending in a joint")
            << whole + Block(0x88, QByteArray("\x01\x01\xfd", 3));

        QByteArray offsetPastMessages = whole;
        offsetPastMessages.replace(tableAt + 4, 4, Big32(0x10000));
        QTest::newRow("offset past the messages") << offsetPastMessages;
        QByteArray offsetInsideMessage = whole;
        offsetInsideMessage.replace(tableAt + 4, 4, Big32(1));
        QTest::newRow("offset inside a message") << offsetInsideMessage;
        QByteArray wrongHash = whole;
        wrongHash[tableAt + 3] = char(wrongHash[tableAt + 3] ^ 0x10);
        QTest::newRow("hash of another ID") << wrongHash;
        QByteArray tableOutOfOrder = whole;
        tableOutOfOrder.replace(tableAt, 16, whole.mid(tableAt + 8, 8) + whole.mid(tableAt, 8));
        QTest::newRow("table out of order") << tableOutOfOrder;
        QByteArray oddTranslation = whole;
        oddTranslation.replace(messagesAt + 5 + 1, 4, Big32(13));
        QTest::newRow("translation of an odd length") << oddTranslation;
        QByteArray hugeTranslation = whole;
        hugeTranslation.replace(messagesAt + 5 + 1, 4, Big32(0xffffffffu));
        QTest::newRow("translation longer than the file") << hugeTranslation;
        QByteArray unknownTag = whole;
        unknownTag[messagesAt + 5] = '\x02';
        QTest::newRow("message of the older kind") << unknownTag;
        QByteArray noEnd = parts.messages;
        noEnd.chop(1);
        noEnd.replace(1, 4, Big32(uint32_t(noEnd.size() - 5)));
        QTest::newRow("message without end") << Magic + parts.language
                + Block(0x42, Big32(LanguageFileReader::IdHash("100")) + Big32(0)) + noEnd;
    }

    void damagedFilesDoNotOpen()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!LanguageFileReader::Open(bytes));
    }

    void pluralRulesOfTheCompilerOpen()
    {
        // "n == 1" then the rest: the rule a compiled English file carries.
        FileParts parts(GermanTexts);
        parts.extra = Block(0x88, QByteArray("\x01\x01", 2));
        QVERIFY(LanguageFileReader::Open(parts.Bytes()));
        // Polish: n == 1; n % 10 in 2..4 and not n % 100 in 10..20; the rest.
        parts.extra = Block(0x88, QByteArray("\x01\x01\xff\x14\x02\x04\xfd\x2c\x0a\x14", 10));
        QVERIFY(LanguageFileReader::Open(parts.Bytes()));
    }

    void dependenciesAreRefused_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("itself") << QStringList { QStringLiteral("Sharedlex.dep") };
        QTest::newRow("an absolute path") << QStringList { QStringLiteral("/tmp/Sharedlex.enu") };
        QTest::newRow("another language") << QStringList { QStringLiteral("Sharedlex.enu") };
    }

    void dependenciesAreRefused()
    {
        // A file naming itself would load itself without end; one naming an
        // absolute path would load a file from outside the language folder.
        QFETCH(QStringList, names);
        LanguageFixture fixture;
        QVERIFY(fixture.IsValid());
        QVERIFY(fixture.AddCopy(QStringLiteral("Sharedlex.enu"), QStringLiteral("enu")));
        FileParts parts(GermanTexts);
        QVERIFY(fixture.AddBytes(QStringLiteral("Sharedlex.ok"), parts.Bytes()));
        QVERIFY(OpenLanguageFile(fixture.Folder(), QStringLiteral("ok")));
        parts.extra = Dependencies(names);
        QVERIFY(fixture.AddBytes(QStringLiteral("Sharedlex.dep"), parts.Bytes()));
        QVERIFY(!OpenLanguageFile(fixture.Folder(), QStringLiteral("dep")));
    }

    void shippedFileWithEveryByteChanged()
    {
        // Each single-byte change of a shipped file, at every offset and with
        // several values, either opens or is refused; none may read outside
        // the file. A change in the structure (block, offset, length, hash) is
        // refused; a change inside a text may open with that text changed.
        const QByteArray original = ShippedEnglish();
        QVERIFY(original.size() > 1000);
        QVERIFY(OpensAndReads(original));
        int opened = 0;
        int refused = 0;
        for (qsizetype offset = 0; offset < original.size(); ++offset) {
            const auto byte = static_cast<unsigned char>(original[offset]);
            for (const unsigned char value : { 0x00, 0x01, 0x30, 0x7f, 0x80, 0xff, int(byte ^ 0x01),
                     int(byte ^ 0x80), int((byte + 1) & 0xff) }) {
                if (value == byte)
                    continue;
                QByteArray mutant = original;
                mutant[offset] = char(value);
                (OpensAndReads(mutant) ? opened : refused)++;
            }
        }
        qInfo("%d single-byte changes opened, %d refused", opened, refused);
        QVERIFY(refused > 0);
        // Every byte of the magic, of the block headers and of the hash table
        // is structure: changing any of them is refused.
        for (qsizetype offset = 0; offset < 16; ++offset) {
            QByteArray mutant = original;
            mutant[offset] = char(~mutant[offset]);
            QVERIFY2(!OpensAndReads(mutant), qPrintable(QString::number(offset)));
        }
    }

    void shippedFileCutAtEveryLength()
    {
        // Cut short inside a block, the file does not open. Cut between two
        // blocks it may (the last block may hold only the plural rules), and
        // then gives every text of the whole file.
        const QByteArray original = ShippedEnglish();
        const std::optional<LanguageFileReader> whole = LanguageFileReader::Open(original);
        QVERIFY(whole);
        int opened = 0;
        for (qsizetype length = 0; length < original.size(); ++length) {
            const std::optional<LanguageFileReader> cut
                = LanguageFileReader::Open(original.first(length));
            if (!cut)
                continue;
            ++opened;
            for (const int number : ProgramTextNumbers) {
                const QByteArray id = QByteArray::number(number);
                QVERIFY2(cut->Text(id) == whole->Text(id),
                    qPrintable(QStringLiteral("cut at %1, text %2").arg(length).arg(number)));
            }
        }
        QVERIFY2(opened <= 1, qPrintable(QString::number(opened)));
    }

    void translatorGivesTheReadersTexts()
    {
        // The handle the windows query answers only ID lookups without a
        // context, from the checked reader.
        LanguageFixture fixture;
        QVERIFY(fixture.IsValid());
        QVERIFY(fixture.AddBytes(QStringLiteral("Sharedlex.deu"), FileParts(GermanTexts).Bytes()));
        const std::unique_ptr<QTranslator> file
            = OpenLanguageFile(fixture.Folder(), QStringLiteral("deu"));
        QVERIFY(file);
        QVERIFY(!file->isEmpty());
        QCOMPARE(LanguageFileText(file.get(), 551), QStringLiteral("kartesisch"));
        QCOMPARE(file->translate("TMainForm", "551"), QString());
        QCOMPARE(file->translate(nullptr, nullptr), QString());
    }
};

TRALTO_TEST(LanguageFileReaderTest);
#include "LanguageFileReaderTest.moc"
