#include <QDir>
#include <QTest>

#include "app/Mainform.h"
#include "tests/TestMain.h"

class MainformTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTitledWindow()
    {
        TMainForm form(QDir::temp().filePath(QStringLiteral("Tralmain")));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tralto"));
    }
};

TRALTO_TEST(MainformTest);
#include "MainformTest.moc"
