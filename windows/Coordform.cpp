#include "windows/Coordform.h"

#include "expression/Parser.h"
#include "format/Formater.h"
#include "localisation/Languagefiles.h"
#include "settings/Globalobjects.h"
#include "widgets/DesignScale.h"
#include "widgets/GlyphImage.h"
#include "widgets/RadioGroup.h"
#include "widgets/Showcoordwindow.h"
#include "widgets/UpdatingGuard.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace {

constexpr int FieldLeft = 296;
constexpr int SymbolColumnLeft = 272;
constexpr int FieldWidth = 81;
constexpr int FieldHeight = 21;

bool IsAngle(int index)
{
    return index == 4 || index == 5 || index == 7;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

GlyphImage* MakeImage(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* image = new GlyphImage(parent);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(left, top, width, height);
    return image;
}

} // namespace

TFormCoord::TFormCoord(
    QWidget* owner, int& dimension, QObject* applicationWindow, globalObjects& globals)
    : QWidget(owner)
    , dimension_(dimension)
    , applicationWindow_(applicationWindow)
    , globals_(globals)
{
    BuildLayout();

    for (int index = 0; index < 9; ++index)
        connect(
            edits_[index], &QLineEdit::textChanged, this, [this, index] { FieldChanged(index); });
    connect(
        kugelZRadioGroup_, &RadioGroup::Clicked, this, &TFormCoord::Koord_KugelZ_RadioGroupClick);

    globals_.RegisterMenuItem(fileMenu_->menuAction(), 516);
    globals_.RegisterMenuItem(exitItem_, 517);
    connect(exitItem_, &QAction::triggered, this, &TFormCoord::ExitProgram);
    globals_.RegisterComponent(kartesianLabel_, TextKind::LabelCaption, 551);
    globals_.RegisterComponent(sphericalLabel_, TextKind::LabelCaption, 552);
    globals_.RegisterComponent(cylindricalLabel_, TextKind::LabelCaption, 553);

    LanguageChanged();
    setWindowTitle(QStringLiteral("Tralto"));
    FormCreate();
}

void TFormCoord::BuildLayout()
{
    scale_ = DesignScale(font());
    resize(597, 416);

    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setGeometry(0, 0, 597, 25);
    dimComboBox_ = MakeDimensionList(panel1_, 3);
    connect(dimComboBox_, &QComboBox::activated, this, &TFormCoord::Dim_ComboBoxChange);

    kartesianLabel_
        = MakeLabel(this, "Koord_Kar_Label", QStringLiteral("kartesische Koordinaten"), 16, 32);
    sphericalLabel_
        = MakeLabel(this, "Koord_Kug_Label", QStringLiteral("Kugelkoordinaten"), 16, 152);
    cylindricalLabel_
        = MakeLabel(this, "Koord_Zyl_Label", QStringLiteral("Zylinderkoordinaten"), 8, 288);
    // The headings change with the language: give them the whole column left
    // of the symbols, whatever their length in the design language.
    for (QLabel* heading : { kartesianLabel_, sphericalLabel_, cylindricalLabel_ })
        heading->resize(SymbolColumnLeft - heading->x() - Margin, heading->height());

    struct FieldPlace
    {
        const char* editName;
        int top;
        const char* labelName; // a letter label, or none where a symbol stands
        const char* labelText;
        int labelTop;
    };
    static constexpr FieldPlace places[9] = {
        { "Koord_Karx_Edit", 32, "Koord_Karx_Label", "x", 40 },
        { "Koord_Kary_Edit", 64, "Koord_Kary_Label", "y", 64 },
        { "Koord_Karz_Edit", 96, "Koord_Karz_Label", "z", 96 },
        { "Koord_Kugx_Edit", 152, "Koord_Kugx_Label", "r", 152 },
        { "Koord_Kugtheta_Edit", 184, nullptr, nullptr, 0 },
        { "Koord_KugPhi_Edit", 216, nullptr, nullptr, 0 },
        { "Koord_Zylr_Edit", 288, "Koord_Zylr_Label", "r", 296 },
        { "Koord_Zylphi_Edit", 320, nullptr, nullptr, 0 },
        { "Koord_Zylz_Edit", 352, "Koord_Zylz_Label", "z", 352 },
    };
    for (int index = 0; index < 9; ++index) {
        const FieldPlace& place = places[index];
        auto* edit = new QLineEdit(QStringLiteral("0"), this);
        edit->setObjectName(QLatin1String(place.editName));
        edit->setGeometry(FieldLeft, place.top, FieldWidth, FieldHeight);
        edits_[index] = edit;
        if (place.labelName)
            MakeLabel(this, place.labelName, QLatin1String(place.labelText), 280, place.labelTop);
    }
    sphericalThetaImage_ = MakeImage(this, "Koord_Kugtheta_Image", 272, 184, 17, 17);
    sphericalThetaImage_->setAccessibleName(QStringLiteral("theta"));
    sphericalPhiImage_ = MakeImage(this, "Koord_KugPhi_Image", 272, 216, 17, 25);
    sphericalPhiImage_->setAccessibleName(QStringLiteral("phi"));
    cylindricalPhiImage_ = MakeImage(this, "Koord_Zylphi_Image", 272, 320, 17, 25);
    cylindricalPhiImage_->setAccessibleName(QStringLiteral("phi"));
    sphereImage_ = MakeImage(this, "Koord_Kugel_Image", 408, 128, 99, 111);
    cylinderImage_ = MakeImage(this, "Koord_Zylinder_Image", 400, 272, 112, 115);

    kugelZRadioGroup_ = new RadioGroup(this);
    kugelZRadioGroup_->setObjectName(QStringLiteral("Koord_KugelZ_RadioGroup"));
    kugelZRadioGroup_->setGeometry(12, 168, 245, 89);
    QFont groupFont = kugelZRadioGroup_->font();
    groupFont.setPointSizeF(10 * scale_);
    kugelZRadioGroup_->setFont(groupFont);
    kugelZRadioGroup_->Add(QStringLiteral("theta ist Winkel zur z-Achse"));
    kugelZRadioGroup_->Add(QStringLiteral("theta ist Winkel zur xy-Ebene"));
    kugelZRadioGroup_->SetItemIndex(0);

    radDegRadioGroup_ = new RadioGroup(this);
    radDegRadioGroup_->setObjectName(QStringLiteral("Koord_Rad_Deg_RadioGroup"));
    radDegRadioGroup_->setGeometry(16, 336, 65, 49);
    radDegRadioGroup_->Add(QStringLiteral("RAD"));
    radDegRadioGroup_->Add(QStringLiteral("DEG"));
    radDegRadioGroup_->SetItemIndex(0);
    radDegRadioGroup_->setAccessibleName(QStringLiteral("RAD/DEG"));
    connect(
        radDegRadioGroup_, &RadioGroup::Clicked, this, &TFormCoord::Koord_Rad_Deg_RadioGroupClick);

    fileMenu_ = new QMenu(QStringLiteral("&Datei"), this);
    fileMenu_->setObjectName(QStringLiteral("File_Item_Menu"));
    fileMenu_->menuAction()->setObjectName(QStringLiteral("File_Item"));
    exitItem_ = fileMenu_->addAction(QStringLiteral("&Beenden"));
    exitItem_->setObjectName(QStringLiteral("Exit_Item"));

    ScaleLayout(this, scale_);
    resize(Scaled(size(), scale_));
    SetTabOrder();
}

void TFormCoord::SetTabOrder()
{
    // The two choices, the nine fields by index, the list.
    QList<QWidget*> order { kugelZRadioGroup_, radDegRadioGroup_ };
    for (QLineEdit* edit : edits_)
        order << edit;
    order << dimComboBox_;
    SetKeyboardOrder(order);
}

void TFormCoord::FormCreate()
{
    glyphbank_ = LoadGlyphbank(globals_.ProgramFolder());
    LoadImages();
}

void TFormCoord::LoadImages()
{
    for (GlyphImage* image : { sphericalPhiImage_, cylindricalPhiImage_, sphericalThetaImage_,
             cylinderImage_, sphereImage_ })
        image->SetDesignScale(scale_);
    sphericalPhiImage_->ShowGlyph(glyphbank_, QStringLiteral("Allg_phi"));
    cylindricalPhiImage_->ShowGlyph(glyphbank_, QStringLiteral("Allg_phi"));
    sphericalThetaImage_->ShowGlyph(glyphbank_, QStringLiteral("Allg_teta"));
    cylinderImage_->ShowGlyph(GlyphbankHandle(), QStringLiteral("Coord_Zylinder3"), true);
    LoadSphereImage();
}

void TFormCoord::LoadSphereImage()
{
    const bool fromZAxis = kugelZRadioGroup_->ItemIndex() != ThetaToXYPlane;
    sphereImage_->ShowGlyph(GlyphbankHandle(),
        fromZAxis ? QStringLiteral("Coord_KugelZ3") : QStringLiteral("Coord_Kugel3"), true);
}

void TFormCoord::LanguageChanged()
{
    const int chosen = kugelZRadioGroup_->ItemIndex();
    kugelZRadioGroup_->Clear();
    const QTranslator* language = globals_.LanguageHandle();
    kugelZRadioGroup_->Add(LanguageFileText(language, 554));
    kugelZRadioGroup_->Add(LanguageFileText(language, 555));
    kugelZRadioGroup_->SetItemIndex(chosen);
    SetTabOrder();
    UpdateAccessibleNames();
}

void TFormCoord::UpdateAccessibleNames()
{
    // A screen reader names each field by its symbol and its section, in the
    // language of the section headings ("theta, Spherical coordinates").
    static constexpr const char* symbols[9]
        = { "x", "y", "z", "r", "theta", "phi", "r", "phi", "z" };
    const QString headings[3]
        = { kartesianLabel_->text(), sphericalLabel_->text(), cylindricalLabel_->text() };
    for (int index = 0; index < 9; ++index) {
        const QString heading = QString(headings[index / 3]).remove(QLatin1Char('&'));
        edits_[index]->setAccessibleName(heading.isEmpty()
                ? QLatin1String(symbols[index])
                : QStringLiteral("%1, %2").arg(QLatin1String(symbols[index]), heading));
    }
    const QString spherical = QString(sphericalLabel_->text()).remove(QLatin1Char('&'));
    kugelZRadioGroup_->setAccessibleName(
        spherical.isEmpty() ? QStringLiteral("theta") : spherical + QStringLiteral(": theta"));
}

AngleUnit TFormCoord::Unit() const
{
    return radDegRadioGroup_->ItemIndex() == DEG ? DEG : RAD;
}

void TFormCoord::FieldChanged(int index)
{
    if (updating_)
        return;
    UpdatingGuard guard(updating_);
    const std::string text = edits_[index]->text().toStdString();
    const long double value = IsAngle(index) ? ReadAngle(text) : EvaluateText(text);
    coordinates_.Set(index, value);
    ShowValues(index);
}

long double TFormCoord::ReadAngle(const std::string& text) const
{
    const long double value = EvaluateText(text);
    return Unit() == DEG ? DegToRad(value) : value;
}

QString TFormCoord::ShowAngle(long double radians) const
{
    return QString::fromStdString(FormatValue(Unit() == DEG ? RadToDeg(radians) : radians));
}

void TFormCoord::ShowValues(int source)
{
    if (source != -1)
        coordinates_.Convert(source);
    for (int index = 0; index < 9; ++index) {
        if (index == source)
            continue;
        const long double value = coordinates_.Get(index);
        edits_[index]->setText(
            IsAngle(index) ? ShowAngle(value) : QString::fromStdString(FormatValue(value)));
    }
}

void TFormCoord::Koord_Rad_Deg_RadioGroupClick()
{
    UpdatingGuard guard(updating_);
    ShowValues(-1);
}

void TFormCoord::Koord_KugelZ_RadioGroupClick()
{
    coordinates_.SetThetaConvention(
        kugelZRadioGroup_->ItemIndex() == ThetaToXYPlane ? ThetaToXYPlane : ThetaToZAxis);
    LoadSphereImage();
    UpdatingGuard guard(updating_);
    ShowValues(-2);
}

void TFormCoord::Dim_ComboBoxChange(int index)
{
    // Picking this window's own dimension again is no request to switch.
    if (dimComboBox_->itemText(index) != QLatin1String("2"))
        return;
    dimension_ = 2;
    PostShowCoordWindow(applicationWindow_);
}

void TFormCoord::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TFormCoord::FormShow()
{
    dimComboBox_->setCurrentIndex(1);
}

void TFormCoord::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TFormCoord::FormResize()
{
    // The list's panel is docked to the top over the whole width.
    panel1_->resize(this->width(), panel1_->height());
    const int margin = Scaled(Margin, scale_);
    const int width = this->width() - edits_[0]->x() - 2 * margin - cylinderImage_->width();
    const int diagramLeft = edits_[0]->x() + width + margin;
    cylinderImage_->move(diagramLeft, cylinderImage_->y());
    sphereImage_->move(diagramLeft, sphereImage_->y());
    for (QLineEdit* edit : edits_)
        edit->resize(width, edit->height());
}

void TFormCoord::ExitProgram()
{
    // Closing the frame takes the orderly road: settings written, then exit 0.
    window()->close();
}
