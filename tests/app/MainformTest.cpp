#include <QTest>

#include "app/Mainform.h"

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

QTEST_MAIN(MainformTest)
#include "MainformTest.moc"
