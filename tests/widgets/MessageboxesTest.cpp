#include <QTest>

#include "tests/TestMain.h"
#include "widgets/Guard.h"
#include "widgets/Messageboxes.h"

#include <stdexcept>
#include <vector>

class MessageboxesTest : public QObject
{
    Q_OBJECT

    std::vector<MessageBoxes::Box> shown_;

private slots:
    void init()
    {
        shown_.clear();
        MessageBoxes::SetPresenter(
            [this](QWidget*, const MessageBoxes::Box& box) { shown_.push_back(box); });
    }
    void cleanup() { MessageBoxes::SetPresenter({}); }

    void closingPeriod_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "'x' is not a valid integer value"
                                << "'x' is not a valid integer value.";
        QTest::newRow("period kept") << "Done."
                                     << "Done.";
        QTest::newRow("parenthesis kept") << "failed (disk full)"
                                          << "failed (disk full)";
        QTest::newRow("digit gets period") << "code 5"
                                           << "code 5.";
        QTest::newRow("slash gets period") << "path /"
                                           << "path /.";
        QTest::newRow("empty stays empty") << ""
                                           << "";
    }
    void closingPeriod()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(MessageBoxes::WithClosingPeriod(message), shown);
    }

    void guardShowsErrorAndGoesOn()
    {
        QVERIFY(
            !RunGuarded(nullptr, [] { throw std::runtime_error("Unable to write to /x/y.ini"); }));
        QVERIFY(RunGuarded(nullptr, [] {}));
        QVERIFY(!RunGuarded(nullptr, [] { throw 42; }));
        QCOMPARE(shown_.size(), size_t(2));
        QCOMPARE(shown_[0].title, QStringLiteral("Tralto"));
        QCOMPARE(shown_[0].text, QStringLiteral("Unable to write to /x/y.ini."));
        QVERIFY(shown_[0].icon == MessageBoxes::Icon::Stop);
        QCOMPARE(shown_[1].text, QString());
    }
};

TRALTO_TEST(MessageboxesTest);
#include "MessageboxesTest.moc"
