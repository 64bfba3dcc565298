#include "app/Mainform.h"

#include "localisation/Languagefiles.h"
#include "localisation/TextNumbers.h"
#include "settings/IniFile.h"
#include "settings/SettingsNames.h"
#include "widgets/ActiveControl.h"
#include "widgets/DesignScale.h"
#include "widgets/Guard.h"
#include "widgets/Messageboxes.h"
#include "widgets/ScrollingMenu.h"
#include "widgets/Showcoordwindow.h"
#include "windows/Coordform.h"
#include "windows/Coordform2.h"
#include "windows/Formatform.h"
#include "windows/Languagedialog.h"

#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

TMainForm::TMainForm(const QString& programFilePath)
{
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MdiArea"));
    // Where the frame is smaller than the coordinate window (a small or
    // strongly scaled screen), the window keeps its layout and scrolls.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    BuildMenu();

    globals_ = std::make_unique<globalObjects>(programFilePath);
    // The number format is written when the settings close at the very end;
    // a failure there is shown like any other.
    globals_->SetSettingsErrorHandler([this](const std::string& message) {
        MessageBoxes::ShowError(this, QString::fromStdString(message));
    });
    dimension_ = globals_->Settings().ReadInteger(
        SettingsNames::CoordSection, SettingsNames::DimensionKey, 3);
    const qreal scale = DesignScale(font());
    placementAtStart_ = ReadPlacement(
        globals_->Settings(), QRect(192, 107, Scaled(696, scale), Scaled(480, scale)));
    // The frame around the window is known only once it is shown; it is
    // taken into account again then (KeepOnScreen). What is applied now
    // counts as unchanged at the end.
    const QScreen* screen = ScreenOf(placementAtStart_);
    placementAtStart_.screen = screen->name();
    placementAtStart_.geometry
        = FittedToScreen(placementAtStart_.geometry, screen->availableGeometry(), {});
    setGeometry(placementAtStart_.geometry);
    if (placementAtStart_.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    productInfo_ = TraltoProductInfo();
    FormCreate();
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    FormDestroy();
    // The settings and the translation registry go before the windows, whose
    // destruction must not touch them.
    RunGuarded(this, [this] { globals_.reset(); });
}

void TMainForm::BuildMenu()
{
    optionsMenu_ = menuBar()->addMenu(QStringLiteral("&Explorer"));
    optionsMenu_->menuAction()->setObjectName(QStringLiteral("Options_Item"));
    languageMenu_ = optionsMenu_->addMenu(QStringLiteral("&Language"));
    languageMenu_->menuAction()->setObjectName(QStringLiteral("OptionsLanguage_Item"));
    LetMenuScroll(languageMenu_);
    // One language of many: the entries show as radio items.
    languageGroup_ = new QActionGroup(languageMenu_);
    languageGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    formatItem_ = optionsMenu_->addAction(QStringLiteral("Format"));
    formatItem_->setObjectName(QStringLiteral("Format_Item"));
    connect(formatItem_, &QAction::triggered, this, &TMainForm::Format_ItemClick);
    // The coordinate window's "DEG" switch follows (MergeChildMenu).
    optionsMenu_->addSeparator();
    aboutItem_ = menuBar()->addAction(QStringLiteral("&Info"));
    aboutItem_->setObjectName(QStringLiteral("About_Item"));
    connect(aboutItem_, &QAction::triggered, this, &TMainForm::About_ItemClick);
}

void TMainForm::FormCreate()
{
    SettingsStore& settings = globals_->Settings();
    languageCode_ = QString::fromStdString(
        settings.ReadString(SettingsNames::LanguageSection, SettingsNames::LanguageCodeKey, ""));
    const bool firstStart = languageCode_.isEmpty();
    if (firstStart) {
        // First start: the language dialog stores the choice and hands it
        // over; closing it without a choice leaves English.
        languageCode_ = ShowLanguageDialog(this, *globals_).value_or(FallbackLanguageCode);
    }
    // The languages offered, read once: the menu lists them, and they stand
    // in for a stored language whose file cannot be read. Without any, the
    // first-start dialog has said so already.
    const QStringList offered = FindLanguageCodes(globals_->LanguageFolder());
    if (!ShowLanguage(languageCode_, offered) && !(firstStart && offered.isEmpty()))
        ReportUnreadableLanguage(languageCode_);
    globals_->RegisterMenuItem(languageMenu_->menuAction(), TextNumber::LanguageMenu);
    globals_->RegisterMenuItem(formatItem_, TextNumber::FormatItem);
    globals_->RegisterMenuItem(optionsMenu_->menuAction(), TextNumber::OptionsMenu);
    setWindowTitle(QStringLiteral("Solidus Pro"));
    activeChild_ = nullptr;
    qApp->installEventFilter(this);
    BuildLanguageMenu(offered);
}

bool TMainForm::ShowLanguage(const QString& code, const QStringList& offered)
{
    // A language whose file cannot be read would leave the menus and the
    // dialogs' buttons blank: the language shown so far stays instead, else
    // English, else the first other that can be read.
    QStringList fallbacks;
    if (!globals_->LoadedCode().isEmpty())
        fallbacks << globals_->LoadedCode();
    fallbacks << FallbackLanguageCode << offered;
    const QString shown = globals_->LoadLanguageOrFallback(code, fallbacks);
    qtTexts_.Follow(LanguageFileLocale(globals_->LanguageHandle()));
    return shown == code;
}

void TMainForm::ReportUnreadableLanguage(const QString& code)
{
    QString text = QStringLiteral("The language file \"%1\" could not be read")
                       .arg(LanguageFilePath(globals_->LanguageFolder(), code));
    if (globals_->LanguageHandle() == nullptr) {
        text += QStringLiteral(", nor any other.");
    } else {
        QString shown = globals_->LanguageText(TextNumber::OwnLanguageName);
        if (shown.isEmpty())
            shown = globals_->LoadedCode();
        text += QStringLiteral("; the texts are shown in %1.").arg(shown);
    }
    MessageBoxes::Show(
        this, { QApplication::applicationName(), text, MessageBoxes::Icon::Warning });
}

void TMainForm::BuildLanguageMenu(const QStringList& codes)
{
    for (const QString& code : codes)
        AddLanguageMenuItem(code);
}

void TMainForm::AddLanguageMenuItem(const QString& code)
{
    const int32_t number = globals_->LanguageTextNumber(code);
    auto* item = new QAction(globals_->LanguageText(number), languageMenu_);
    item->setObjectName(QStringLiteral("Language_Item_") + code);
    item->setData(code);
    item->setCheckable(true);
    item->setChecked(code == globals_->LoadedCode());
    languageGroup_->addAction(item);
    connect(item, &QAction::triggered, this, [this, item] { LanguageMenuClick(item); });
    languageMenu_->addAction(item);
    globals_->RegisterMenuItem(item, number);
}

QList<QAction*> TMainForm::LanguageItems() const
{
    return languageGroup_->actions();
}

void TMainForm::LanguageMenuClick(QAction* sender)
{
    const QString chosen = sender->data().toString();
    QStringList offered;
    for (const QAction* item : LanguageItems())
        offered.append(item->data().toString());
    if (ShowLanguage(chosen, offered))
        languageCode_ = chosen;
    else
        ReportUnreadableLanguage(chosen);
    // The check mark is on the language shown (the group takes it off the
    // others), on none when no language could be read.
    QAction* shown = nullptr;
    for (QAction* item : LanguageItems()) {
        if (item->data().toString() == globals_->LoadedCode())
            shown = item;
    }
    if (shown != nullptr)
        shown->setChecked(true);
    else if (QAction* checked = languageGroup_->checkedAction())
        checked->setChecked(false);
    // Each window re-reads what the translation registry cannot carry.
    if (coord3DWindow_)
        coord3DWindow_->LanguageChanged();
    if (coord2DWindow_)
        coord2DWindow_->LanguageChanged();
}

void TMainForm::FormDestroy()
{
    RunGuarded(this, [this] {
        SettingsStore& settings = globals_->Settings();
        settings.WriteInteger(SettingsNames::CoordSection, SettingsNames::DimensionKey, dimension_);
        settings.WriteString(SettingsNames::LanguageSection, SettingsNames::LanguageCodeKey,
            languageCode_.toStdString());
        const bool maximized = isMaximized();
        WritePlacement(settings,
            { maximized ? normalGeometry() : geometry(), maximized, screen()->name() },
            placementAtStart_);
        for (const CoordWindowShell* child : { static_cast<CoordWindowShell*>(coord3DWindow_),
                 static_cast<CoordWindowShell*>(coord2DWindow_) }) {
            if (child != nullptr)
                child->StoreChoices(settings);
        }
    });
}

bool TMainForm::event(QEvent* event)
{
    const bool result = QMainWindow::event(event);
    // Activation shows the coordinate window; the first show does too, for a
    // desktop without a window manager, where the frame never becomes active.
    if (event->type() == QEvent::WindowActivate
        || (event->type() == QEvent::Show && activeChild_ == nullptr))
        FormActivate();
    if (event->type() == QEvent::WindowActivate && !framedOnScreen_) {
        framedOnScreen_ = true;
        KeepOnScreen();
    }
    return result;
}

QMargins TMainForm::FrameMargins() const
{
    const QRect inner = geometry();
    const QRect outer = frameGeometry();
    return { inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
        outer.bottom() - inner.bottom() };
}

void TMainForm::KeepOnScreen()
{
    // With the window manager's frame known, the whole window, frame and
    // all, goes into the free area of its screen.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (activeChild_ != nullptr)
        KeepLayoutWhole(activeChild_);
    const QRect fitted = FittedToScreen(geometry(), screen()->availableGeometry(), FrameMargins());
    if (fitted != geometry())
        setGeometry(fitted);
    // The program's own placement; only what the user does later is stored.
    placementAtStart_.geometry = fitted;
}

void TMainForm::FormActivate()
{
    ShowCoordWindow();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != qApp || event->type() != WM_SHOWCOORDWINDOW)
        return QMainWindow::eventFilter(watched, event);
    ShowCoordWindow();
    FocusActiveControl();
    return true;
}

void TMainForm::FocusActiveControl()
{
    // Back in a field the user was in, the keyboard goes on where it was;
    // in a window's first field it replaces the "0" that stands there.
    const ActiveControl* active = ActiveControl::Of(activeChild_);
    QWidget* control = active != nullptr ? active->Control() : nullptr;
    if (control == nullptr)
        return;
    auto* field = qobject_cast<QLineEdit*>(control);
    if (field != nullptr && !active->FieldVisited())
        field->selectAll();
    control->setFocus(Qt::OtherFocusReason);
}

QMdiSubWindow* TMainForm::AddChild(QWidget* child)
{
    QMdiSubWindow* frame = mdiArea_->addSubWindow(
        child, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    // The window keeps its layout whole; a frame too small for it scrolls.
    child->setMinimumSize(child->size());
    return frame;
}

void TMainForm::ShowCoordWindow()
{
    QWidget* child = nullptr;
    if (dimension_ == 2) {
        if (!coord2DWindow_) {
            coord2DWindow_ = new TFormCoord2(this, dimension_, qApp, *globals_);
            AddChild(coord2DWindow_);
        }
        child = coord2DWindow_;
    } else {
        if (!coord3DWindow_) {
            coord3DWindow_ = new TFormCoord(this, dimension_, qApp, *globals_);
            AddChild(coord3DWindow_);
        }
        child = coord3DWindow_;
    }
    // A window that comes to the front, the first one too, takes the keyboard
    // in a field; a window that is only activated again keeps its focus.
    const bool newlyShown = activeChild_ != child;
    activeChild_ = child;
    QWidget* frame = child->parentWidget();
    KeepLayoutWhole(child);
    if (!frame->isMaximized())
        frame->showMaximized();
    frame->show();
    frame->raise();
    mdiArea_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frame));
    MergeChildMenu(dimension_ == 2 ? static_cast<CoordWindowShell*>(coord2DWindow_)
                                   : static_cast<CoordWindowShell*>(coord3DWindow_));
    if (newlyShown)
        FocusActiveControl();
}

void TMainForm::KeepLayoutWhole(QWidget* child)
{
    // The frame never gets smaller than the coordinate window's layout at
    // its design size (both windows use the larger, three-dimensional one, so
    // a switch never changes the bound): what the frame adds around the
    // window area (menu bar, borders) on top of that.
    const qreal scale = DesignScale(child->font());
    const QSize layout = Scaled(TFormCoord::DesignSize, scale);
    const int frame = mdiArea_->frameWidth();
    const QSize around(2 * frame, menuBar()->sizeHint().height() + 2 * frame);
    // But the frame fits its screen: on a smaller one the window scrolls.
    const QMargins decoration = FrameMargins();
    const QSize room = screen()->availableGeometry().size()
        - QSize(decoration.left() + decoration.right(), decoration.top() + decoration.bottom());
    setMinimumSize((layout + around).boundedTo(room));
}

void TMainForm::MergeChildMenu(CoordWindowShell* child)
{
    // The active window's own menu stands in front of "Explorer" and "Info",
    // and its "DEG" switch ends "Explorer".
    QMenu* childMenu = child->FileMenu();
    QMenuBar* bar = menuBar();
    const QList<QAction*> actions = bar->actions();
    if (!actions.isEmpty() && actions.first() == childMenu->menuAction())
        return;
    for (QAction* action : actions) {
        if (action != optionsMenu_->menuAction() && action != aboutItem_)
            bar->removeAction(action);
    }
    bar->insertAction(optionsMenu_->menuAction(), childMenu->menuAction());
    for (QAction* action : optionsMenu_->actions()) {
        if (action->objectName() == QLatin1String("AngleUnit_Item"))
            optionsMenu_->removeAction(action);
    }
    optionsMenu_->addAction(child->AngleUnitItem());
}

void TMainForm::Format_ItemClick()
{
    // The open windows show the new format from their next rewrite on.
    ShowFormatDialog(this, globals_->LanguageHandle());
}

void TMainForm::About_ItemClick()
{
    // The lines about the program in the language shown; a language file
    // without them leaves them in English.
    ProductInfo info = productInfo_;
    const std::pair<QString*, int32_t> texts[] = {
        { &info.versionCaption, TextNumber::VersionCaption },
        { &info.line1, TextNumber::FirstInfoLine },
        { &info.line2, TextNumber::SecondInfoLine },
    };
    for (const auto& [text, number] : texts) {
        const QString translated = globals_->LanguageText(number);
        if (!translated.isEmpty())
            *text = translated;
    }
    ShowInfoDialog(this, info);
}
