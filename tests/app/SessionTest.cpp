// The program started where there is no graphical session to show it: one
// line that says so, and status 1, never Qt's abort.

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include "tests/TestMain.h"

class SessionTest : public QObject
{
    Q_OBJECT

private slots:
    void withoutSessionTheProgramSaysSo_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("why");
        QTest::newRow("no display named") << ""
                                          << ""
                                          << "neither DISPLAY nor WAYLAND_DISPLAY is set";
        QTest::newRow("display that is not there") << "DISPLAY"
                                                   << ":9999"
                                                   << "the display \":9999\" could not be opened";
        QTest::newRow("Wayland display that is not there") << "WAYLAND_DISPLAY"
                                                           << "tralto-none"
                                                           << "none could be opened";
        QTest::newRow("platform named, no display") << "QT_QPA_PLATFORM"
                                                    << "xcb"
                                                    << "the platform \"xcb\" could not be started";
    }

    void withoutSessionTheProgramSaysSo()
    {
        QFETCH(QString, variable);
        QFETCH(QString, value);
        QFETCH(QString, why);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            environment.remove(QString::fromLatin1(name));
        if (!variable.isEmpty())
            environment.insert(variable, value);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TRALTO_PROGRAM), {});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()),
            "Tralmain: needs a graphical session (X11 or Wayland): " + why + '\n');
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
    }
};

TRALTO_TEST(SessionTest);
#include "SessionTest.moc"
