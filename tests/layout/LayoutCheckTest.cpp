#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/Mainform.h"
#include "settings/Globalobjects.h"
#include "tests/ProgramFolder.h"
#include "tests/TestMain.h"
#include "tests/layout/LayoutCheck.h"
#include "widgets/DesignScale.h"
#include "widgets/Messageboxes.h"
#include "widgets/RadioGroup.h"
#include "windows/Coordform.h"
#include "windows/Coordform2.h"
#include "windows/Formatform.h"
#include "windows/Infoform.h"
#include "windows/Languagedialog.h"

#include <functional>
#include <memory>

using Plant = std::function<void(QWidget&)>;
Q_DECLARE_METATYPE(Plant)

namespace {

// What one window is opened with: a program folder with the shipped
// languages, the settings and language of a run, the dimension the
// coordinate windows share, and a receiver for their switch requests.
struct Surroundings
{
    explicit Surroundings(const QString& language)
        : globals(folder.ProgramPath())
        , language(language)
    {
        globals.LoadLanguage(language);
    }
    ProgramFolder folder;
    globalObjects globals;
    QString language;
    int dimension = 3;
    QObject requests;
};

// A window on screen, and the part of it that is checked (the window
// itself, or the coordinate window inside the main window).
struct Opened
{
    std::unique_ptr<QWidget> window;
    QWidget* checked = nullptr;
};

Opened Itself(QWidget* window)
{
    return { std::unique_ptr<QWidget>(window), window };
}

Opened InSmallestFrame(Surroundings& around, int dimension)
{
    around.folder.WriteSettings(QStringLiteral("[Coord]\nDim=%1\n[Language]\nCommonLangExt=%2\n")
                                    .arg(dimension)
                                    .arg(around.language)
                                    .toUtf8());
    auto* frame = new TMainForm(around.folder.ProgramPath());
    frame->show();
    QCoreApplication::processEvents();
    QWidget* child = dimension == 2 ? static_cast<QWidget*>(frame->Coord2DWindow())
                                    : static_cast<QWidget*>(frame->Coord3DWindow());
    const QSize before = child->size();
    // A small screen may keep the frame at its smallest already.
    const bool shrinks = frame->size() != frame->minimumSize();
    frame->resize(frame->minimumSize());
    // The window area follows the frame once the resize has gone round, down
    // to the window's own layout (a frame that the screen keeps smaller
    // scrolls it).
    if (shrinks && !QTest::qWaitFor([&] {
            return child->size() != before || child->size() == child->minimumSize();
        }))
        child = nullptr;
    return { std::unique_ptr<QWidget>(frame), child };
}

Opened Box(const MessageBoxes::Box& box)
{
    return Itself(MessageBoxes::CreateBox(nullptr, box).release());
}

// Every window and dialog of the program, each opened as the program opens it.
struct WindowUnderTest
{
    const char* name;
    std::function<Opened(Surroundings&)> open;
};

const WindowUnderTest Windows[] = {
    { "3-D window",
        [](Surroundings& around) {
            return Itself(
                new TFormCoord(nullptr, around.dimension, &around.requests, around.globals));
        } },
    { "2-D window",
        [](Surroundings& around) {
            return Itself(
                new TFormCoord2(nullptr, around.dimension, &around.requests, around.globals));
        } },
    { "3-D window in the smallest frame",
        [](Surroundings& around) { return InSmallestFrame(around, 3); } },
    { "2-D window in the smallest frame",
        [](Surroundings& around) { return InSmallestFrame(around, 2); } },
    { "format dialog",
        [](Surroundings& around) {
            return Itself(new TFormFormat(nullptr, around.globals.LanguageHandle()));
        } },
    { "language dialog",
        [](Surroundings& around) {
            return Itself(new TLanguageForm(
                nullptr, around.globals.Settings(), around.globals.LanguageFolder()));
        } },
    { "info dialog",
        [](Surroundings&) {
            // With both addresses, as a build given them shows it.
            ProductInfo info = TraltoProductInfo();
            info.webPage = QUrl(QStringLiteral("https://example.net/tralto"));
            info.mailAddress = QUrl(QStringLiteral("mailto:tralto@example.net"));
            return Itself(new TFormInfo(nullptr, info));
        } },
    { "error box",
        [](Surroundings&) {
            return Box({ QStringLiteral("Tralto"),
                MessageBoxes::WithClosingPeriod(
                    QStringLiteral("'12345678901234567890' is not a valid integer value")),
                MessageBoxes::Icon::Stop });
        } },
    { "math error box",
        [](Surroundings&) {
            return Box({ QStringLiteral("Tralmain"), QStringLiteral("sqrt: DOMAIN error"),
                MessageBoxes::Icon::Stop });
        } },
    { "no language files box",
        [](Surroundings&) {
            return Box({ QStringLiteral("Tralto"),
                QStringLiteral("Error opening the Language files!"), MessageBoxes::Icon::Warning });
        } },
};

const char* const Languages[] = { "deu", "enu", "esr", "ita", "ptb" };

const WindowUnderTest* FindWindow(const QString& name)
{
    for (const WindowUnderTest& window : Windows)
        if (name == QLatin1String(window.name))
            return &window;
    return nullptr;
}

// Every window in every language, at the design font and at one and a half
// times its size; CTest runs the program once more at twice the pixel density.
class LayoutCheckTest : public QObject
{
    Q_OBJECT

    QFont designFont_;
    std::unique_ptr<Surroundings> around_;
    Opened opened_;

    bool Open(const QString& windowName, const QString& language, qreal fontScale)
    {
        QFont font = designFont_;
        font.setPointSizeF(designFont_.pointSizeF() * fontScale);
        QApplication::setFont(font);
        around_ = std::make_unique<Surroundings>(language);
        if (!around_->folder.IsValid())
            return false;
        const WindowUnderTest* window = FindWindow(windowName);
        if (window == nullptr)
            return false;
        opened_ = window->open(*around_);
        opened_.window->show();
        if (!QTest::qWaitForWindowExposed(opened_.window.get()))
            return false;
        QCoreApplication::processEvents();
        return opened_.checked != nullptr;
    }

private slots:
    void initTestCase()
    {
        designFont_ = QApplication::font();
        // No box of the program may block the run.
        MessageBoxes::SetPresenter([](QWidget*, const MessageBoxes::Box&) {});
    }
    void cleanupTestCase() { MessageBoxes::SetPresenter({}); }
    void cleanup()
    {
        opened_ = {};
        around_.reset();
        QApplication::setFont(designFont_);
    }

    void everyTextFitsNothingOverlaps_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("language");
        QTest::addColumn<qreal>("fontScale");
        for (const WindowUnderTest& window : Windows)
            for (const char* language : Languages)
                for (const qreal fontScale : { 1.0, 1.5 })
                    QTest::addRow("%s, %s, font x%.1f", window.name, language, fontScale)
                        << QString::fromLatin1(window.name) << QString::fromLatin1(language)
                        << fontScale;
    }
    void everyTextFitsNothingOverlaps()
    {
        QFETCH(QString, window);
        QFETCH(QString, language);
        QFETCH(qreal, fontScale);
        QVERIFY(Open(window, language, fontScale));
        const QStringList problems = LayoutProblems(opened_.checked);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void windowsGrowWithTheFont_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* window : { "3-D window", "2-D window", "format dialog" })
            QTest::newRow(window) << QString::fromLatin1(window);
    }

    void windowsGrowWithTheFont()
    {
        // A larger font makes the whole window larger in proportion; the
        // design font gives the design size.
        QFETCH(QString, window);
        QVERIFY(Open(window, QStringLiteral("enu"), 1.0));
        const QSize designed = opened_.window->size();
        cleanup();
        QVERIFY(Open(window, QStringLiteral("enu"), 1.5));
        const qreal scale = DesignScale(QApplication::font());
        QVERIFY(scale > 1.4 && scale < 1.6);
        QCOMPARE(opened_.window->size(), Scaled(designed, scale));
    }

    void fixedDialogsOfferOnlyClosing_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* window : { "format dialog", "language dialog", "info dialog" })
            QTest::newRow(window) << QString::fromLatin1(window);
    }

    void fixedDialogsOfferOnlyClosing()
    {
        QFETCH(QString, window);
        QVERIFY(Open(window, QStringLiteral("enu"), 1.0));
        const Qt::WindowFlags flags = opened_.window->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QCOMPARE(opened_.window->minimumSize(), opened_.window->maximumSize());
    }

    // The check itself: each planted fault in a whole window is found and
    // names the element that has it.
    void plantedFaultIsFound_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("element");
        QTest::addColumn<Plant>("plant");
        QTest::newRow("a heading made narrow")
            << QStringLiteral("3-D window") << QStringLiteral("Koord_Kar_Label")
            << Plant([](QWidget& label) { label.resize(40, label.height()); });
        QTest::newRow("a radio item squeezed")
            << QStringLiteral("3-D window") << QStringLiteral("Koord_KugelZ_RadioGroup_Item1")
            << Plant([](QWidget& item) {
                   item.parentWidget()->resize(90, item.parentWidget()->height());
               });
        QTest::newRow("a field laid over its neighbour")
            << QStringLiteral("2-D window") << QStringLiteral("Koord2D_y_Edit")
            << Plant([](QWidget& field) { field.move(30, field.y()); });
        QTest::newRow("a button pushed out of its dialog")
            << QStringLiteral("format dialog") << QStringLiteral("OK_Button")
            << Plant([](QWidget& button) { button.move(280, button.y()); });
        QTest::newRow("a button text cut")
            << QStringLiteral("info dialog") << QStringLiteral("Mail_Button")
            << Plant([](QWidget& button) {
                   static_cast<QPushButton&>(button).setText(
                       QStringLiteral("Send a mail to the makers of this program"));
               });
    }
    void plantedFaultIsFound()
    {
        QFETCH(QString, window);
        QFETCH(QString, element);
        QFETCH(Plant, plant);
        QVERIFY(Open(window, QStringLiteral("enu"), 1.0));
        QCOMPARE(LayoutProblems(opened_.checked), QStringList());
        auto* faulty = opened_.checked->findChild<QWidget*>(element);
        QVERIFY(faulty != nullptr);
        plant(*faulty);
        const QStringList problems = LayoutProblems(opened_.checked);
        QVERIFY(!problems.isEmpty());
        QVERIFY2(problems.join(QLatin1Char('\n')).contains(element),
            qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

} // namespace

TRALTO_TEST(LayoutCheckTest);
#include "LayoutCheckTest.moc"
