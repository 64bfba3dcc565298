#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <sys/stat.h>

#include "format/Formater.h"
#include "localisation/Languagefiles.h"
#include "localisation/TextNumbers.h"
#include "tests/TestMain.h"
#include "tests/localisation/LanguageFixture.h"

namespace {

// The numbers the fixtures "deu" and "enu" hold.
const QList<int> FixtureTextNumbers
    = { 100, 102, 103, 104, 105, 106, 516, 517, 521, 551, 552, 553, 554, 555, 603, 604, 605 };

QStringList Sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class LanguagefilesTest : public QObject
{
    Q_OBJECT

private slots:
    void offersEachWellFormedCodeOnceInOrder_data()
    {
        // The names put into the folder, in this order ("/" ends a folder,
        // "|" a FIFO), and the codes offered.
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("offered");
        const QStringList shipped = { "deu", "enu", "esr", "ita", "ptb" };
        QTest::newRow("created in reverse order") << QStringList(
            { "Sharedlex.ptb", "Sharedlex.ita", "Sharedlex.esr", "Sharedlex.enu", "Sharedlex.deu" })
                                                  << shipped;
        QTest::newRow("backup copies") << QStringList({ "Sharedlex.deu~", "Sharedlex.deu",
            "Sharedlex.deu.bak", "Sharedlex.deu.orig", "Sharedlex.enu", "#Sharedlex.enu#" })
                                       << QStringList({ "deu", "enu" });
        QTest::newRow("other case is another code")
            << QStringList({ "Sharedlex.deu", "Sharedlex.DEU", "Sharedlex.Deu" })
            << QStringList({ "DEU", "Deu", "deu" });
        QTest::newRow("not three letters") << QStringList({ "Sharedlex.deutsch", "Sharedlex.de",
            "Sharedlex.", "Sharedlex.tar.gz", "Sharedlex.de1", "Sharedlex.d-u", "Sharedlex.d u",
            "Sharedlex.däu", "Sharedlex.fra" })
                                           << QStringList({ "fra" });
        QTest::newRow("tds is never a language")
            << QStringList({ "Sharedlex.tds", "Sharedlex.TDS" }) << QStringList({ "TDS" });
        QTest::newRow("plain files with the prefix only") << QStringList(
            { "Sharedlex.esr/", "Sharedlex.ita|", "sharedlex.ptb", "Other.deu", "Sharedlex.enu" })
                                                          << QStringList({ "enu" });
    }

    void offersEachWellFormedCodeOnceInOrder()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, offered);
        LanguageFixture fixture;
        QVERIFY(fixture.IsValid());
        for (const QString& name : names) {
            if (name.endsWith(QLatin1Char('/')))
                QVERIFY(fixture.AddFolder(name.chopped(1)));
            else if (name.endsWith(QLatin1Char('|')))
                QCOMPARE(mkfifo(QFile::encodeName(fixture.FilePath(name.chopped(1))), 0600), 0);
            else
                QVERIFY(fixture.AddBytes(name, "any content"));
        }
        QCOMPARE(FindLanguageCodes(fixture.Folder()), offered);
    }

    void searchOfAMissingFolder()
    {
        LanguageFixture fixture;
        QVERIFY(fixture.IsValid());
        QVERIFY(FindLanguageCodes(fixture.Folder() + QStringLiteral("/none")).isEmpty());
    }

    void folderBesideTheProgram()
    {
        QCOMPARE(LanguageFolderPath(QStringLiteral("/opt/tralto/Tralmain")),
            QStringLiteral("/opt/tralto/language"));
        QCOMPARE(LanguageFolderPath(QStringLiteral("bin/Tralmain")),
            QDir::current().absoluteFilePath(QStringLiteral("bin/language")));
    }

    void opensAFileAndReadsItsTexts()
    {
        LanguageFixture fixture;
        QVERIFY(fixture.IsValid());
        QVERIFY(fixture.AddCopy(QStringLiteral("Sharedlex.deu"), QStringLiteral("deu")));
        const std::unique_ptr<QTranslator> file
            = OpenLanguageFile(fixture.Folder(), QStringLiteral("deu"));
        QVERIFY(file);
        QCOMPARE(LanguageFileText(file.get(), 551), QStringLiteral("kartesisch"));
        QCOMPARE(LanguageFileText(file.get(), 603), QStringLiteral("Bitte Sprache wählen"));
        QCOMPARE(LanguageFileText(file.get(), 606), QString());
        QCOMPARE(LanguageFileText(file.get(), -1), QString());
        QCOMPARE(LanguageFileText(nullptr, 551), QString());
    }

    void filesThatDoNotOpen_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("code");
        const QByteArray german = LanguageFixture::FixtureBytes(QStringLiteral("deu"));
        QByteArray noise(300, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        QTest::newRow("missing") << "Sharedlex.enu" << german << "deu";
        QTest::newRow("empty") << "Sharedlex.deu" << QByteArray() << "deu";
        QTest::newRow("random bytes") << "Sharedlex.deu" << noise << "deu";
        QTest::newRow("text") << "Sharedlex.deu" << QByteArray("[Language]\nno texts\n") << "deu";
        QTest::newRow("cut in the header") << "Sharedlex.deu" << german.first(10) << "deu";
        QTest::newRow("folder named like one") << "Sharedlex.deu/" << QByteArray() << "deu";
        // Nothing ever writes to it: opening it must not wait for a writer.
        QTest::newRow("FIFO named like one") << "Sharedlex.deu|" << QByteArray() << "deu";
        QTest::newRow("other case") << "Sharedlex.DEU" << german << "deu";
        QTest::newRow("empty code") << "Sharedlex." << german << "";
        QTest::newRow("code with a path") << "Sharedlex.sub/deu" << german << "sub/deu";
        // Qt's loader by name would fall back to these; a language file is
        // only ever the file of its exact name.
        QTest::newRow("name with .qm") << "Sharedlex.fra.qm" << german << "fra";
        QTest::newRow("name without code") << "Sharedlex" << german << "fra";
    }

    void filesThatDoNotOpen()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, code);
        LanguageFixture fixture;
        QVERIFY(fixture.IsValid());
        if (fileName.endsWith(QLatin1Char('/'))) {
            QVERIFY(fixture.AddFolder(fileName.chopped(1)));
        } else if (fileName.endsWith(QLatin1Char('|'))) {
            QCOMPARE(mkfifo(QFile::encodeName(fixture.FilePath(fileName.chopped(1))), 0600), 0);
        } else {
            if (fileName.contains(QLatin1Char('/')))
                QVERIFY(fixture.AddFolder(fileName.section(QLatin1Char('/'), 0, 0)));
            QVERIFY(fixture.AddBytes(fileName, content));
        }
        QVERIFY(!OpenLanguageFile(fixture.Folder(), code));
    }

    void cutFilesNeverGiveWrongTexts()
    {
        // A language file cut short at any length either does not open or
        // gives each text as it is or not at all.
        LanguageFixture fixture;
        QVERIFY(fixture.IsValid());
        const QByteArray whole = LanguageFixture::FixtureBytes(QStringLiteral("deu"));
        QVERIFY(fixture.AddBytes(QStringLiteral("Sharedlex.all"), whole));
        const std::unique_ptr<QTranslator> complete
            = OpenLanguageFile(fixture.Folder(), QStringLiteral("all"));
        QVERIFY(complete);
        int opened = 0;
        for (qsizetype length = 0; length < whole.size(); ++length) {
            QVERIFY(fixture.AddBytes(QStringLiteral("Sharedlex.cut"), whole.first(length)));
            const std::unique_ptr<QTranslator> file
                = OpenLanguageFile(fixture.Folder(), QStringLiteral("cut"));
            if (!file)
                continue;
            ++opened;
            for (const int number : FixtureTextNumbers) {
                const QString text = LanguageFileText(file.get(), number);
                QVERIFY2(text.isEmpty() || text == LanguageFileText(complete.get(), number),
                    qPrintable(QStringLiteral("cut at %1, text %2: \"%3\"")
                                   .arg(length)
                                   .arg(number)
                                   .arg(text)));
            }
        }
        qInfo("%d of %lld cut lengths opened", opened, static_cast<long long>(whole.size()));
    }

    void namedTextNumbersAreShipped_data()
    {
        // Every name of TextNumbers.h: a number mistyped there names a text
        // no language file holds, and its element would go blank.
        QTest::addColumn<int>("number");
        using namespace TextNumber;
        const std::pair<const char*, int32_t> names[] = { { "OwnLanguageName", OwnLanguageName },
            { "GermanName", GermanName }, { "EnglishName", EnglishName },
            { "SpanishName", SpanishName }, { "ItalianName", ItalianName },
            { "PortugueseName", PortugueseName }, { "CancelButton", CancelButton },
            { "OKButton", OKButton }, { "DefaultsButton", DefaultsButton },
            { "FileMenu", FileMenu }, { "ExitItem", ExitItem }, { "LanguageMenu", LanguageMenu },
            { "OptionsMenu", OptionsMenu }, { "FormatItem", FormatItem },
            { "CartesianHeading", CartesianHeading }, { "SphericalHeading", SphericalHeading },
            { "CylindricalHeading", CylindricalHeading }, { "ThetaToZAxisItem", ThetaToZAxisItem },
            { "ThetaToXYPlaneItem", ThetaToXYPlaneItem }, { "LanguagePrompt", LanguagePrompt },
            { "PrecisionPrompt", PrecisionPrompt },
            { "ExponentDigitsPrompt", ExponentDigitsPrompt }, { "DecimalsPrompt", DecimalsPrompt },
            { "FirstFormatKind", FirstFormatKind }, { "VersionCaption", VersionCaption },
            { "FirstInfoLine", FirstInfoLine }, { "SecondInfoLine", SecondInfoLine },
            { "last format kind", FirstFormatKind + ffNumber } };
        for (const auto& [name, number] : names)
            QTest::newRow(name) << int(number);
    }

    void namedTextNumbersAreShipped()
    {
        QFETCH(int, number);
        QVERIFY(ProgramTextNumbers.contains(number));
        const std::unique_ptr<QTranslator> english
            = OpenLanguageFile(QStringLiteral(TRALTO_LANGUAGE_DIR), QStringLiteral("enu"));
        QVERIFY(english);
        QVERIFY(!LanguageFileText(english.get(), number).isEmpty());
    }

    void programLanguageFiles()
    {
        const QDir sources(QStringLiteral(TRALTO_TRANSLATION_SOURCE_DIR));
        if (!sources.exists())
            QSKIP("No translation sources yet (localisation/translations is missing): the "
                  "language files of the program are not checked.");
        QStringList codes;
        for (const QString& source :
            sources.entryList({ QStringLiteral("Sharedlex_*.ts") }, QDir::Files))
            codes.append(source.mid(10).chopped(3));
        for (const char* code : { "deu", "enu", "esr", "ita", "ptb" })
            QVERIFY2(codes.contains(QLatin1String(code)),
                qPrintable(QStringLiteral("no source Sharedlex_%1.ts").arg(QLatin1String(code))));

        const QString folder = QStringLiteral(TRALTO_LANGUAGE_DIR);
        QCOMPARE(FindLanguageCodes(folder), Sorted(codes));
        for (const QString& code : codes) {
            const std::unique_ptr<QTranslator> file = OpenLanguageFile(folder, code);
            QVERIFY2(file, qPrintable(QStringLiteral("Sharedlex.%1 does not open").arg(code)));
            for (const int number : ProgramTextNumbers)
                QVERIFY2(!LanguageFileText(file.get(), number).isEmpty(),
                    qPrintable(
                        QStringLiteral("Sharedlex.%1 has no text %2").arg(code).arg(number)));
        }
    }
};

TRALTO_TEST(LanguagefilesTest);
#include "LanguagefilesTest.moc"
