#include "windows/Coordform2.h"

#include "settings/Globalobjects.h"
#include "widgets/DesignScale.h"
#include "widgets/GlyphImage.h"
#include "widgets/RadioGroup.h"
#include "widgets/Showcoordwindow.h"
#include "windows/Koord2d.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

TFormCoord2::TFormCoord2(
    QWidget* owner, int& dimension, QObject* applicationWindow, globalObjects& globals)
    : QWidget(owner)
    , dimension_(dimension)
    , applicationWindow_(applicationWindow)
    , globals_(globals)
    , scale_(DesignScale(font()))
{
    resize(483, 294);

    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setGeometry(0, 0, 483, 25);
    dimComboBox_ = MakeDimensionList(panel1_, 2);
    connect(dimComboBox_, &QComboBox::activated, this, &TFormCoord2::Dim_ComboBoxChange);

    auto* panel = new QWidget(this);
    fieldsPanel_ = panel;
    panel->setObjectName(QStringLiteral("Koord2D_Panel"));
    panel->setGeometry(0, 25, 483, 73);

    const auto makeEdit = [panel](const char* name, const char* symbol, int left, int top) {
        auto* edit = new QLineEdit(QStringLiteral("0"), panel);
        edit->setObjectName(QLatin1String(name));
        edit->setGeometry(left, top, 121, 21);
        edit->setAccessibleName(QLatin1String(symbol));
        return edit;
    };
    const auto makeLabel = [panel](const char* name, const char* text, int left, int top) {
        auto* label = new QLabel(QLatin1String(text), panel);
        label->setObjectName(QLatin1String(name));
        label->move(left, top);
        label->adjustSize();
        return label;
    };
    Koord2D::Elements elements;
    elements.panel = panel;
    elements.xLabel = makeLabel("Koord2D_x_Label", "x", 8, 8);
    elements.yLabel = makeLabel("Koord2D_y_Label", "y", 176, 8);
    elements.rLabel = makeLabel("Koord2D_r_Label", "r", 8, 48);
    phiImage_ = new GlyphImage(panel);
    phiImage_->setObjectName(QStringLiteral("Koord2D_phi_Image"));
    phiImage_->setGeometry(176, 48, 17, 17);
    phiImage_->setAccessibleName(QStringLiteral("phi"));
    elements.phiImage = phiImage_;
    elements.edits = { makeEdit("Koord2D_x_Edit", "x", 24, 8),
        makeEdit("Koord2D_y_Edit", "y", 208, 8), makeEdit("Koord2D_r_Edit", "r", 24, 48),
        makeEdit("Koord2D_phi_Edit", "phi", 208, 48) };

    auto* radDeg = new RadioGroup(this);
    radDeg->setObjectName(QStringLiteral("Koord2D_RadDeg_RadioGroup"));
    radDeg->setGeometry(16, 104, 65, 49);
    radDeg->Add(QStringLiteral("RAD"));
    radDeg->Add(QStringLiteral("DEG"));
    radDeg->SetItemIndex(0);
    radDeg->setAccessibleName(QStringLiteral("RAD/DEG"));
    elements.radDegRadioGroup = radDeg;
    elements.scale = scale_;

    coord2DImage_ = new GlyphImage(this);
    coord2DImage_->setObjectName(QStringLiteral("Coord2D_Image"));
    coord2DImage_->setGeometry(96, 104, 80, 73);

    fileMenu_ = new QMenu(QStringLiteral("&Datei"), this);
    fileMenu_->menuAction()->setObjectName(QStringLiteral("File_Item"));
    QAction* exitItem = fileMenu_->addAction(QStringLiteral("&Beenden"));
    exitItem->setObjectName(QStringLiteral("Exit_Item"));

    SetKeyboardOrder({ radDeg, elements.edits[0], elements.edits[1], elements.edits[2],
        elements.edits[3], dimComboBox_ });

    koord2D_ = new Koord2D(elements, this);
    ScaleLayout(this, scale_);
    resize(Scaled(size(), scale_));

    globals_.RegisterMenuItem(fileMenu_->menuAction(), 516);
    globals_.RegisterMenuItem(exitItem, 517);
    connect(exitItem, &QAction::triggered, this, &TFormCoord2::ExitProgram);

    setWindowTitle(QStringLiteral("Tralto"));
    FormCreate();
}

void TFormCoord2::resizeEvent(QResizeEvent* event)
{
    // Both panels are docked to the top over the whole width; the fields'
    // panel lays its fields out when its width changes.
    QWidget::resizeEvent(event);
    panel1_->resize(width(), panel1_->height());
    fieldsPanel_->resize(width(), fieldsPanel_->height());
}

void TFormCoord2::FormCreate()
{
    glyphbank_ = LoadGlyphbank(globals_.ProgramFolder());
    phiImage_->SetDesignScale(scale_);
    coord2DImage_->SetDesignScale(scale_);
    phiImage_->ShowGlyph(glyphbank_, QStringLiteral("Allg_phi"));
    coord2DImage_->ShowGlyph(GlyphbankHandle(), QStringLiteral("Coord_2D"));
}

void TFormCoord2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TFormCoord2::FormShow()
{
    dimComboBox_->setCurrentIndex(0);
}

void TFormCoord2::Dim_ComboBoxChange(int index)
{
    // Picking this window's own dimension again is no request to switch.
    if (dimComboBox_->itemText(index) != QLatin1String("3"))
        return;
    dimension_ = 3;
    PostShowCoordWindow(applicationWindow_);
}

void TFormCoord2::ExitProgram()
{
    // Closing the frame takes the orderly road: settings written, then exit 0.
    window()->close();
}
