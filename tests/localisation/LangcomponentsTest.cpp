#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <memory>

#include "settings/Globalobjects.h"
#include "tests/TestMain.h"
#include "tests/localisation/LanguageFixture.h"

namespace {

std::unique_ptr<QObject> MakeElement(const QString& type)
{
    if (type == QLatin1String("action"))
        return std::make_unique<QAction>();
    if (type == QLatin1String("menu"))
        return std::make_unique<QMenu>();
    if (type == QLatin1String("window"))
        return std::make_unique<QWidget>();
    if (type == QLatin1String("button"))
        return std::make_unique<QPushButton>();
    if (type == QLatin1String("tool button"))
        return std::make_unique<QToolButton>();
    return std::make_unique<QLabel>();
}

} // namespace

// The translation registry, driven through globalObjects as the windows do.
class LangcomponentsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LanguageFixture> fixture_;
    std::unique_ptr<globalObjects> objects_;

private slots:
    void init()
    {
        fixture_ = std::make_unique<LanguageFixture>();
        QVERIFY(fixture_->IsValid());
        QVERIFY(fixture_->AddGermanAndEnglish());
        QVERIFY(fixture_->AddCopy(QStringLiteral("Sharedlex.ita"), QStringLiteral("short")));
        objects_ = std::make_unique<globalObjects>(fixture_->ProgramPath());
    }

    void cleanup() { objects_.reset(); }

    void kinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<bool>("takesText");
        QTest::newRow("menu caption, action") << 0 << "action" << QByteArray("text") << true;
        QTest::newRow("menu caption, menu") << 0 << "menu" << QByteArray("title") << true;
        QTest::newRow("form caption") << 1 << "window" << QByteArray("windowTitle") << true;
        QTest::newRow("button caption") << 2 << "button" << QByteArray("text") << true;
        QTest::newRow("button hint") << 3 << "button" << QByteArray("toolTip") << true;
        QTest::newRow("tool button hint") << 4 << "tool button" << QByteArray("toolTip") << true;
        QTest::newRow("tool button hint, action") << 4 << "action" << QByteArray("toolTip") << true;
        QTest::newRow("label caption") << 5 << "label" << QByteArray("text") << true;
        QTest::newRow("label hint") << 6 << "label" << QByteArray("toolTip") << true;
        QTest::newRow("label hint leaves the caption")
            << 6 << "label" << QByteArray("text") << false;
        QTest::newRow("kind 7") << 7 << "label" << QByteArray("text") << false;
        QTest::newRow("kind -1") << -1 << "label" << QByteArray("text") << false;
        QTest::newRow("label caption on a button") << 5 << "button" << QByteArray("text") << false;
        QTest::newRow("button caption on a label") << 2 << "label" << QByteArray("text") << false;
    }

    void kinds()
    {
        QFETCH(int, kind);
        QFETCH(QString, type);
        QFETCH(QByteArray, property);
        QFETCH(bool, takesText);
        const std::unique_ptr<QObject> element = MakeElement(type);
        QVERIFY(element->setProperty(property.constData(), QStringLiteral("design")));
        const QString design = QStringLiteral("design");

        // Registered while a file is loaded: the text is set at once.
        objects_->LoadLanguage(QStringLiteral("deu"));
        objects_->RegisterComponent(element.get(), static_cast<TextKind>(kind), 551);
        QCOMPARE(element->property(property.constData()).toString(),
            takesText ? QStringLiteral("kartesisch") : design);

        // And again at every change of language.
        objects_->LoadLanguage(QStringLiteral("enu"));
        QCOMPARE(element->property(property.constData()).toString(),
            takesText ? QStringLiteral("Cartesian") : design);
    }

    void withoutLanguageTheElementKeepsItsText()
    {
        QLabel label(QStringLiteral("kartesische Koordinaten"));
        QAction item(QStringLiteral("Datei"));
        objects_->RegisterComponent(&label, LabelCaption, 551);
        objects_->RegisterMenuItem(&item, 516);
        QCOMPARE(label.text(), QStringLiteral("kartesische Koordinaten"));
        QCOMPARE(item.text(), QStringLiteral("Datei"));

        objects_->LoadLanguage(QStringLiteral("enu"));
        QCOMPARE(label.text(), QStringLiteral("Cartesian"));
        QCOMPARE(item.text(), QStringLiteral("File"));
    }

    void menuItemTakesItsTextAtOnce()
    {
        objects_->LoadLanguage(QStringLiteral("deu"));
        QAction item(QStringLiteral("Language"));
        objects_->RegisterMenuItem(&item, 521);
        QCOMPARE(item.text(), QStringLiteral("Sprache"));
    }

    void elementsBeforeMenuItems()
    {
        QStringList order;
        QAction item(QStringLiteral("Explorer"));
        QWidget window;
        connect(&item, &QAction::changed, this, [&order] { order.append(QStringLiteral("item")); });
        connect(&window, &QWidget::windowTitleChanged, this,
            [&order] { order.append(QStringLiteral("window")); });
        // The menu item is registered first, yet the elements are translated first.
        objects_->RegisterMenuItem(&item, 604);
        objects_->RegisterComponent(&window, FormCaption, 552);
        objects_->LoadLanguage(QStringLiteral("deu"));
        objects_->LoadLanguage(QStringLiteral("enu"));
        QCOMPARE(order, QStringList({ "window", "item", "window", "item" }));
    }

    void elementRegisteredTwiceTakesBothTextsInOrder()
    {
        QLabel label;
        QStringList texts;
        objects_->RegisterComponent(&label, LabelCaption, 551);
        objects_->RegisterComponent(&label, LabelHint, 551);
        objects_->RegisterComponent(&label, LabelCaption, 552);
        objects_->LoadLanguage(QStringLiteral("enu"));
        QCOMPARE(label.text(), QStringLiteral("spherical"));
        QCOMPARE(label.toolTip(), QStringLiteral("Cartesian"));
        QCOMPARE(objects_->Components().Components().size(), size_t(3));
    }

    void missingTextSetsAnEmptyText()
    {
        QLabel cartesian(QStringLiteral("kartesische Koordinaten"));
        QLabel firstTheta(QStringLiteral("theta ist Winkel zur z-Achse"));
        QAction exit(QStringLiteral("Beenden"));
        objects_->RegisterComponent(&cartesian, LabelCaption, 551);
        objects_->RegisterComponent(&firstTheta, LabelCaption, 554);
        objects_->RegisterMenuItem(&exit, 517);
        objects_->LoadLanguage(QStringLiteral("ita"));
        QCOMPARE(cartesian.text(), QString());
        QCOMPARE(firstTheta.text(), QStringLiteral("angolo asse z"));
        QCOMPARE(exit.text(), QString());
    }

    void destroyedElementsAreSkipped()
    {
        QLabel kept;
        auto gone = std::make_unique<QLabel>();
        auto goneItem = std::make_unique<QAction>();
        objects_->RegisterComponent(gone.get(), LabelCaption, 551);
        objects_->RegisterMenuItem(goneItem.get(), 516);
        objects_->RegisterComponent(&kept, LabelCaption, 552);
        gone.reset();
        goneItem.reset();
        objects_->LoadLanguage(QStringLiteral("deu"));
        QCOMPARE(kept.text(), QStringLiteral("Kugel"));
        // A later registration drops the dead entries.
        QAction item;
        objects_->RegisterMenuItem(&item, 516);
        objects_->RegisterComponent(&kept, LabelHint, 551);
        QCOMPARE(objects_->Components().Components().size(), size_t(2));
        QCOMPARE(objects_->Components().MenuItems().size(), size_t(1));
    }

    void elementsMayOutliveTheRegistry()
    {
        QLabel label(QStringLiteral("kartesische Koordinaten"));
        objects_->RegisterComponent(&label, LabelCaption, 551);
        objects_->LoadLanguage(QStringLiteral("deu"));
        objects_.reset();
        QCOMPARE(label.text(), QStringLiteral("kartesisch"));
    }
};

TRALTO_TEST(LangcomponentsTest);
#include "LangcomponentsTest.moc"
