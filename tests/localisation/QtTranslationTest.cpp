#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "localisation/QtTranslation.h"
#include "tests/TestMain.h"

// Qt's own texts in the language of a locale, from Qt's installed
// translation files, and English without them.
class QtTranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void followsTheLocale_data()
    {
        // Whether Qt's installed files are there to read, the locale of the
        // language file, and the text of a field's menu entry "Select All".
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("selectAll");
        QTest::addColumn<QString>("followed");
        QTest::newRow("German") << true << "de_DE"
                                << "Alles auswählen"
                                << "de_DE";
        QTest::newRow("German in Austria") << true << "de_AT"
                                           << "Alles auswählen"
                                           << "de_AT";
        QTest::newRow("Portuguese in Brazil") << true << "pt_BR"
                                              << "Selecionar tudo"
                                              << "pt_BR";
        QTest::newRow("no locale") << true << ""
                                   << "Select All"
                                   << "";
        QTest::newRow("a locale Qt has no words for") << true << "xx_YY"
                                                      << "Select All"
                                                      << "";
        QTest::newRow("Qt's files not installed") << false << "de_DE"
                                                  << "Select All"
                                                  << "";
    }

    void followsTheLocale()
    {
        QFETCH(bool, installed);
        QFETCH(QString, locale);
        QFETCH(QString, selectAll);
        QFETCH(QString, followed);
        if (installed
            && !QFile::exists(QtTranslation::InstalledFolder() + QStringLiteral("/qtbase_de.qm")))
            QSKIP("Qt's translations are not installed (Debian: qt6-translations-l10n).");
        const QTemporaryDir empty;
        QVERIFY(empty.isValid());
        const auto shown = [] { return QCoreApplication::translate("QLineEdit", "Select All"); };
        {
            QtTranslation texts(installed ? QtTranslation::InstalledFolder() : empty.path());
            texts.Follow(locale);
            QCOMPARE(shown(), selectAll);
            QCOMPARE(texts.Locale(), followed);
        }
        // Gone with the object.
        QCOMPARE(shown(), QStringLiteral("Select All"));
    }
};

TRALTO_TEST(QtTranslationTest);
#include "QtTranslationTest.moc"
