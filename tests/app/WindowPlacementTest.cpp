#include "app/WindowPlacement.h"
#include "settings/IniFile.h"
#include "tests/TestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Where the main window opens: what the settings file says, and how a place
// from a larger or other screen is brought into the free area of this one.
class WindowPlacementTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;

    QString SettingsWith(const QByteArray& text)
    {
        const QString path = dir_.filePath(QStringLiteral("Tralmain.ini"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(text) != text.size())
            return QString();
        return path;
    }

private slots:
    void fitted_data()
    {
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("fitted");
        const QMargins none;
        const QMargins frame(4, 30, 4, 4);
        QTest::newRow("inside stays")
            << QRect(100, 100, 696, 480) << none << QRect(100, 100, 696, 480);
        QTest::newRow("frame inside stays")
            << QRect(4, 30, 696, 480) << frame << QRect(4, 30, 696, 480);
        QTest::newRow("frame's title above the top comes down")
            << QRect(100, 0, 696, 480) << frame << QRect(100, 30, 696, 480);
        QTest::newRow("off the right and bottom moves back")
            << QRect(700, 500, 696, 480) << none << QRect(104, 120, 696, 480);
        QTest::newRow("off the left and top moves back")
            << QRect(-300, -50, 696, 480) << none << QRect(0, 0, 696, 480);
        QTest::newRow("from a larger screen, shrunk with its frame")
            << QRect(0, 0, 1392, 960) << frame << QRect(4, 30, 792, 566);
        QTest::newRow("on another screen far away")
            << QRect(3000, 2000, 400, 300) << none << QRect(400, 300, 400, 300);
    }
    void fitted()
    {
        QFETCH(QRect, geometry);
        QFETCH(QMargins, frame);
        QFETCH(QRect, fitted);
        const QRect available(0, 0, 800, 600);
        QCOMPARE(FittedToScreen(geometry, available, frame), fitted);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QString>("screen");
        const QRect design(192, 107, 696, 480);
        QTest::newRow("a file of an older version")
            << QByteArray("[Coord]\nDim=2\n") << design << false << QString();
        QTest::newRow("whole") << QByteArray(
            "[Window]\nLeft=-20\nTop=40\nWidth=700\nHeight=500\nMaximized=1\n"
            "Screen=HDMI-1\n") << QRect(-20, 40, 700, 500)
                               << true << QStringLiteral("HDMI-1");
        QTest::newRow("a key missing keeps the design place")
            << QByteArray("[Window]\nLeft=20\nWidth=700\nHeight=500\n") << design << false
            << QString();
        QTest::newRow("no size keeps the design place")
            << QByteArray("[Window]\nLeft=20\nTop=40\nWidth=0\nHeight=-5\n") << design << false
            << QString();
        QTest::newRow("edited by hand to text")
            << QByteArray("[Window]\nLeft=left\nTop=40\nWidth=700\nHeight=500\n") << design << false
            << QString();
    }
    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QRect, geometry);
        QFETCH(bool, maximized);
        QFETCH(QString, screen);
        const QString path = SettingsWith(file);
        QVERIFY(!path.isEmpty());
        IniFile settings(path);
        const WindowPlacement placement = ReadPlacement(settings, QRect(192, 107, 696, 480));
        QCOMPARE(placement.geometry, geometry);
        QCOMPARE(placement.maximized, maximized);
        QCOMPARE(placement.screen, screen);
    }

    // A run that only moved the window writes only where it went; one that
    // changed nothing leaves the file as it was.
    void writesWhatChanged()
    {
        const QByteArray before("[Coord]\nDim=3\n");
        const QString path = SettingsWith(before);
        QVERIFY(!path.isEmpty());
        const WindowPlacement atStart { QRect(192, 107, 696, 480), false, QStringLiteral("A") };
        {
            IniFile settings(path);
            WritePlacement(settings, atStart, atStart);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        file.close();
        WindowPlacement moved = atStart;
        moved.geometry.moveTo(10, 20);
        {
            IniFile settings(path);
            WritePlacement(settings, moved, atStart);
        }
        IniFile settings(path);
        QCOMPARE(settings.ReadInteger("Window", "Left", -1), 10);
        QCOMPARE(settings.ReadInteger("Window", "Top", -1), 20);
        QCOMPARE(settings.ReadInteger("Window", "Width", -1), -1);
    }
};

TRALTO_TEST(WindowPlacementTest);
#include "WindowPlacementTest.moc"
