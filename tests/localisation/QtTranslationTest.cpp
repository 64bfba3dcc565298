#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "localisation/QtTranslation.h"
#include "tests/TestMain.h"

// Qt's own texts (here a field's menu entry "Select All") in the language of
// a locale from Qt's installed files, and English without them.
class QtTranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void followsTheLocale_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("selectAll");
        QTest::newRow("German in Austria") << true << "de_AT"
                                           << "Alles auswählen";
        QTest::newRow("Portuguese in Brazil") << true << "pt_BR"
                                              << "Selecionar tudo";
        QTest::newRow("English") << true << "en_US"
                                 << "Select All";
        QTest::newRow("Qt's files not installed") << false << "de_DE"
                                                  << "Select All";
    }

    void followsTheLocale()
    {
        QFETCH(bool, installed);
        QFETCH(QString, locale);
        QFETCH(QString, selectAll);
        if (installed
            && !QFile::exists(QtTranslation::InstalledFolder() + QStringLiteral("/qtbase_de.qm")))
            QSKIP("Qt's translations are not installed (Debian: qt6-translations-l10n).");
        const QTemporaryDir empty;
        const auto shown = [] { return QCoreApplication::translate("QLineEdit", "Select All"); };
        {
            QtTranslation texts(installed ? QtTranslation::InstalledFolder() : empty.path());
            texts.Follow(locale);
            QCOMPARE(shown(), selectAll);
        }
        // Gone with the object.
        QCOMPARE(shown(), QStringLiteral("Select All"));
    }
};

TRALTO_TEST(QtTranslationTest);
#include "QtTranslationTest.moc"
