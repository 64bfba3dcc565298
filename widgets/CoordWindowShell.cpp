#include "widgets/CoordWindowShell.h"

#include "coordinates/CoordSet3D.h"
#include "localisation/TextNumbers.h"
#include "settings/Globalobjects.h"
#include "settings/IniFile.h"
#include "settings/SettingsNames.h"
#include "widgets/ActiveControl.h"
#include "widgets/CoordinateField.h"
#include "widgets/DesignScale.h"
#include "widgets/DimensionList.h"
#include "widgets/GlyphImage.h"
#include "widgets/RadioGroup.h"
#include "widgets/Showcoordwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace {

constexpr int TopStripHeight = 25;

const char* UnitKey(int ownDimension)
{
    return ownDimension == 2 ? SettingsNames::AngleUnit2DKey : SettingsNames::AngleUnit3DKey;
}

} // namespace

CoordWindowShell::CoordWindowShell(QWidget* owner, int ownDimension, int& dimension,
    QObject* applicationWindow, globalObjects& globals, QSize size)
    : QWidget(owner)
    , ownDimension_(ownDimension)
    , dimension_(dimension)
    , applicationWindow_(applicationWindow)
    , globals_(globals)
    , scale_(DesignScale(font()))
{
    resize(size);
    setWindowTitle(QStringLiteral("Tralto"));

    topStrip_ = new QWidget(this);
    topStrip_->setObjectName(QStringLiteral("Panel1"));
    topStrip_->setGeometry(0, 0, size.width(), TopStripHeight);
    dimComboBox_ = new ::DimensionList(topStrip_, ownDimension_);
    // Any change of the chosen item counts, however it was made: mouse,
    // keyboard, or an assistive technology.
    connect(
        dimComboBox_, &QComboBox::currentIndexChanged, this, &CoordWindowShell::Dim_ComboBoxChange);

    fileMenu_ = new QMenu(QStringLiteral("&Datei"), this);
    fileMenu_->setObjectName(QStringLiteral("File_Item_Menu"));
    fileMenu_->menuAction()->setObjectName(QStringLiteral("File_Item"));
    copyPointItem_ = fileMenu_->addAction(QStringLiteral("&Punkt kopieren"));
    copyPointItem_->setObjectName(QStringLiteral("CopyPoint_Item"));
    copyPointItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connect(copyPointItem_, &QAction::triggered, this, &CoordWindowShell::CopyPoint);
    fileMenu_->addSeparator();
    exitItem_ = fileMenu_->addAction(QStringLiteral("&Beenden"));
    exitItem_->setObjectName(QStringLiteral("Exit_Item"));
    exitItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    globals_.RegisterMenuItem(fileMenu_->menuAction(), TextNumber::FileMenu);
    globals_.RegisterMenuItem(exitItem_, TextNumber::ExitItem);
    connect(exitItem_, &QAction::triggered, this, &CoordWindowShell::ExitProgram);
    ShowMenuTexts();

    glyphbank_ = LoadGlyphbank(globals_.ProgramFolder());
    activeControl_ = new ActiveControl(this);
}

void CoordWindowShell::ScaleToFont()
{
    ScaleLayout(this, scale_);
    resize(Scaled(size(), scale_));
    for (GlyphImage* image : findChildren<GlyphImage*>())
        image->SetDesignScale(scale_);
}

void CoordWindowShell::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    topStrip_->resize(width(), topStrip_->height());
}

RadioGroup* CoordWindowShell::MakeUnitGroup(const char* name, QPoint place)
{
    auto* group = new RadioGroup(this);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(place.x(), place.y(), 65, 49);
    group->Add(QStringLiteral("RAD"));
    group->Add(QStringLiteral("DEG"));
    group->SetItemIndex(RAD);
    group->setAccessibleName(QStringLiteral("RAD/DEG"));

    angleUnitItem_ = new QAction(QStringLiteral("DEG"), this);
    angleUnitItem_->setObjectName(QStringLiteral("AngleUnit_Item"));
    angleUnitItem_->setCheckable(true);
    angleUnitItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(angleUnitItem_, &QAction::triggered, group,
        [group](bool degrees) { group->SetItemIndex(degrees ? DEG : RAD); });
    connect(group, &RadioGroup::Clicked, angleUnitItem_,
        [this, group] { angleUnitItem_->setChecked(group->ItemIndex() == DEG); });

    unitGroup_ = group;
    storedUnit_ = ReadChoice(UnitKey(ownDimension_));
    group->SetItemIndex(storedUnit_);
    return group;
}

int CoordWindowShell::ReadChoice(const char* key) const
{
    return globals_.Settings().ReadInteger(SettingsNames::CoordSection, key, 0) == 1 ? 1 : 0;
}

void CoordWindowShell::StoreChoice(SettingsStore& settings, const char* key, int chosen, int stored)
{
    if (chosen != stored)
        settings.WriteInteger(SettingsNames::CoordSection, key, chosen);
}

void CoordWindowShell::StoreChoices(SettingsStore& settings) const
{
    if (unitGroup_ != nullptr)
        StoreChoice(settings, UnitKey(ownDimension_), unitGroup_->ItemIndex() == DEG ? DEG : RAD,
            storedUnit_);
}

void CoordWindowShell::SetKeyboardOrderToList(QList<QWidget*> order) const
{
    for (QWidget* widget : order) {
        if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            activeControl_->SetFirstField(field);
            break;
        }
    }
    order << dimComboBox_;
    SetKeyboardOrder(order);
}

void CoordWindowShell::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void CoordWindowShell::FormShow()
{
    // The list shows this window's own dimension whenever the window appears.
    dimComboBox_->setCurrentIndex(ownDimension_ == 2 ? 0 : 1);
}

void CoordWindowShell::Dim_ComboBoxChange(int index)
{
    // The list showing this window's own dimension again is no request.
    const int other = ownDimension_ == 2 ? 3 : 2;
    if (dimComboBox_->itemText(index) != QString::number(other))
        return;
    dimension_ = other;
    PostShowCoordWindow(applicationWindow_);
}

void CoordWindowShell::LanguageChanged()
{
    ShowMenuTexts();
}

void CoordWindowShell::ShowMenuTexts()
{
    // Newer than some language files: without its text the entry keeps a
    // caption of its own rather than none.
    const QString copyPoint = globals_.LanguageText(TextNumber::CopyPointItem);
    copyPointItem_->setText(copyPoint.isEmpty() ? QStringLiteral("&Copy point") : copyPoint);
}

void CoordWindowShell::CopyPoint()
{
    // The point of the system the keyboard is in (or was in last).
    if (auto* field = qobject_cast<CoordinateField*>(activeControl_->Control()))
        QApplication::clipboard()->setText(field->PointText());
}

void CoordWindowShell::ExitProgram()
{
    // Closing the frame takes the orderly road: settings written, then exit 0.
    window()->close();
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint place)
{
    auto* label = new QLabel(parent);
    // Headings take language texts, which are never markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setObjectName(QLatin1String(name));
    label->move(place);
    label->adjustSize();
    return label;
}

GlyphImage* MakeImage(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* image = new GlyphImage(parent);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(geometry);
    return image;
}

CoordinateField* MakeField(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* field = new CoordinateField(parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(geometry);
    return field;
}
