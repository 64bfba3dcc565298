#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTranslator>

#include "settings/Globalobjects.h"
#include "tests/TestMain.h"
#include "tests/localisation/LanguageFixture.h"

namespace {

QPointer<QTranslator> Watch(const QTranslator* handle)
{
    return QPointer<QTranslator>(const_cast<QTranslator*>(handle));
}

} // namespace

// The loaded language file of globalObjects: loading, releasing, texts.
class LanguageStateTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LanguageFixture> fixture_;

private slots:
    void init()
    {
        fixture_ = std::make_unique<LanguageFixture>();
        QVERIFY(fixture_->IsValid());
        QVERIFY(fixture_->AddGermanAndEnglish());
        QVERIFY(fixture_->AddBytes(QStringLiteral("Sharedlex.xyz"), "no language file"));
    }

    void nothingLoadedAtFirst()
    {
        globalObjects objects(fixture_->ProgramPath());
        QVERIFY(objects.LanguageHandle() == nullptr);
        QCOMPARE(objects.LoadedCode(), QString());
        QCOMPARE(objects.LanguageText(551), QString());
        QVERIFY(objects.LoadLanguage(QString()) == nullptr);
    }

    void loadsTheFileBesideTheProgram()
    {
        // The working directory has no language folder.
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QDir::rootPath()));
        globalObjects objects(fixture_->ProgramPath());
        const QTranslator* handle = objects.LoadLanguage(QStringLiteral("deu"));
        QVERIFY(QDir::setCurrent(previous));
        QVERIFY(handle != nullptr);
        QCOMPARE(objects.LanguageHandle(), handle);
        QCOMPARE(objects.LoadedCode(), QStringLiteral("deu"));
        QCOMPARE(objects.LanguageText(551), QStringLiteral("kartesisch"));
        QCOMPARE(objects.LanguageText(objects.LanguageTextNumber(QStringLiteral("deu"))),
            QStringLiteral("Deutsch"));
        QCOMPARE(objects.LanguageText(606), QString());
    }

    void loadingTheLoadedCodeChangesNothing()
    {
        globalObjects objects(fixture_->ProgramPath());
        QLabel label(QStringLiteral("kartesische Koordinaten"));
        const QTranslator* handle = objects.LoadLanguage(QStringLiteral("deu"));
        objects.RegisterComponent(&label, LabelCaption, 551);
        label.setText(QStringLiteral("set by the window"));
        QCOMPARE(objects.LoadLanguage(QStringLiteral("deu")), handle);
        QCOMPARE(label.text(), QStringLiteral("set by the window"));
    }

    void anotherCodeReleasesTheOldFile()
    {
        globalObjects objects(fixture_->ProgramPath());
        const QPointer<QTranslator> german = Watch(objects.LoadLanguage(QStringLiteral("deu")));
        QVERIFY(german);
        QVERIFY(objects.LoadLanguage(QStringLiteral("enu")) != nullptr);
        QVERIFY(german.isNull());
        QCOMPARE(objects.LoadedCode(), QStringLiteral("enu"));
        QCOMPARE(objects.LanguageText(551), QStringLiteral("Cartesian"));
    }

    void fileThatDoesNotOpen_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("missing file") << "fra";
        QTest::newRow("not a language file") << "xyz";
        QTest::newRow("other case") << "DEU";
    }

    void fileThatDoesNotOpen()
    {
        QFETCH(QString, code);
        globalObjects objects(fixture_->ProgramPath());
        QLabel label(QStringLiteral("kartesische Koordinaten"));
        objects.RegisterComponent(&label, LabelCaption, 551);
        const QPointer<QTranslator> german = Watch(objects.LoadLanguage(QStringLiteral("deu")));
        QCOMPARE(label.text(), QStringLiteral("kartesisch"));

        QVERIFY(objects.LoadLanguage(code) == nullptr);
        QVERIFY(german.isNull());
        QVERIFY(objects.LanguageHandle() == nullptr);
        QCOMPARE(objects.LoadedCode(), QString());
        QCOMPARE(objects.LanguageText(551), QString());
        // Registered elements keep what they show.
        QCOMPARE(label.text(), QStringLiteral("kartesisch"));

        // The same language loads again afterwards.
        QVERIFY(objects.LoadLanguage(QStringLiteral("enu")) != nullptr);
        QCOMPARE(label.text(), QStringLiteral("Cartesian"));
    }

    void codesAreCaseSensitive()
    {
        QVERIFY(fixture_->AddCopy(QStringLiteral("Sharedlex.DEU"), QStringLiteral("enu")));
        globalObjects objects(fixture_->ProgramPath());
        objects.LoadLanguage(QStringLiteral("DEU"));
        QCOMPARE(objects.LanguageText(551), QStringLiteral("Cartesian"));
        objects.LoadLanguage(QStringLiteral("deu"));
        QCOMPARE(objects.LoadedCode(), QStringLiteral("deu"));
        QCOMPARE(objects.LanguageText(551), QStringLiteral("kartesisch"));
    }

    void endReleasesTheFile()
    {
        QPointer<QTranslator> handle;
        {
            globalObjects objects(fixture_->ProgramPath());
            handle = Watch(objects.LoadLanguage(QStringLiteral("deu")));
            QVERIFY(handle);
        }
        QVERIFY(handle.isNull());
    }
};

TRALTO_TEST(LanguageStateTest);
#include "LanguageStateTest.moc"
