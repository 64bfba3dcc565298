#include <QMainWindow>
#include <QMessageBox>
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

    void boxOpensCentredOnItsOwner_data()
    {
        QTest::addColumn<bool>("ownerGiven");
        QTest::newRow("owner given") << true;
        // The math error box asks for the active window, which a desktop
        // without a window manager never has: the main window stands in.
        QTest::newRow("no owner, main window open") << false;
    }

    void boxOpensCentredOnItsOwner()
    {
        QFETCH(bool, ownerGiven);
        QMainWindow owner;
        owner.setGeometry(150, 120, 500, 400);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        const std::unique_ptr<QMessageBox> box
            = MessageBoxes::CreateBox(ownerGiven ? &owner : nullptr,
                { QStringLiteral("Tralto"), QStringLiteral("sqrt: DOMAIN error"),
                    MessageBoxes::Icon::Stop });
        QCOMPARE(box->parentWidget(), &owner);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        const QPoint offset = box->frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2,
            qPrintable(
                QStringLiteral("%1,%2 off the owner's centre").arg(offset.x()).arg(offset.y())));
    }

    void boxShowsMarkupLetterForLetter()
    {
        // A path or a language text that looks like markup is shown as written.
        const QString text = QStringLiteral("Unable to write to <b>/tmp/<img src=\"x.png\">");
        const std::unique_ptr<QMessageBox> box = MessageBoxes::CreateBox(
            nullptr, { QStringLiteral("Tralto"), text, MessageBoxes::Icon::Stop });
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->text(), text);
    }
};

TRALTO_TEST(MessageboxesTest);
#include "MessageboxesTest.moc"
