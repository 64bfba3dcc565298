#include "windows/Coordform.h"

#include "localisation/Languagefiles.h"
#include "localisation/TextNumbers.h"
#include "settings/Globalobjects.h"
#include "settings/SettingsNames.h"
#include "widgets/CoordinateField.h"
#include "widgets/DesignScale.h"
#include "widgets/GlyphImage.h"
#include "widgets/RadioGroup.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int FieldLeft = 296;
constexpr int SymbolColumnLeft = 272;
constexpr int FieldWidth = 81;
constexpr int FieldHeight = 21;

// A Greek letter beside an angle field, drawn as an image: a screen reader
// needs its name.
GlyphImage* MakeSymbol(
    QWidget* parent, const char* name, int top, int height, const QString& accessibleName)
{
    GlyphImage* symbol = MakeImage(parent, name, QRect(SymbolColumnLeft, top, 17, height));
    symbol->setAccessibleName(accessibleName);
    return symbol;
}

} // namespace

TFormCoord::TFormCoord(
    QWidget* owner, int& dimension, QObject* applicationWindow, globalObjects& globals)
    : CoordWindowShell(owner, 3, dimension, applicationWindow, globals, DesignSize)
    , fields_({ CoordSet3D::Kug_theta, CoordSet3D::Kug_phi, CoordSet3D::Zyl_phi })
{
    BuildLayout();
    fields_.Bind(edits_, radDegRadioGroup_, this);
    connect(
        kugelZRadioGroup_, &RadioGroup::Clicked, this, &TFormCoord::Koord_KugelZ_RadioGroupClick);

    Globals().RegisterComponent(
        kartesianLabel_, TextKind::LabelCaption, TextNumber::CartesianHeading);
    Globals().RegisterComponent(
        sphericalLabel_, TextKind::LabelCaption, TextNumber::SphericalHeading);
    Globals().RegisterComponent(
        cylindricalLabel_, TextKind::LabelCaption, TextNumber::CylindricalHeading);

    LanguageChanged();
    LoadImages();
}

void TFormCoord::BuildLayout()
{
    MakeHeadings();
    MakeFields();
    MakeImages();
    MakeThetaConventionGroup();
    radDegRadioGroup_ = MakeUnitGroup("Koord_Rad_Deg_RadioGroup", QPoint(16, 336));

    ScaleToFont();
    SetTabOrder();
}

void TFormCoord::MakeHeadings()
{
    kartesianLabel_ = MakeLabel(
        this, "Koord_Kar_Label", QStringLiteral("kartesische Koordinaten"), QPoint(16, 32));
    sphericalLabel_
        = MakeLabel(this, "Koord_Kug_Label", QStringLiteral("Kugelkoordinaten"), QPoint(16, 152));
    cylindricalLabel_
        = MakeLabel(this, "Koord_Zyl_Label", QStringLiteral("Zylinderkoordinaten"), QPoint(8, 288));
    // The headings change with the language: give them the whole column left
    // of the symbols, whatever their length in the design language.
    for (QLabel* heading : { kartesianLabel_, sphericalLabel_, cylindricalLabel_ })
        heading->resize(SymbolColumnLeft - heading->x() - Margin, heading->height());
}

// The nine fields by value index.
void TFormCoord::MakeFields()
{
    struct FieldPlace
    {
        const char* editName;
        int top;
        const char* labelName; // a letter label, or none where a symbol stands
        const char* labelText;
        int labelTop;
    };
    static constexpr FieldPlace places[CoordSet3D::ValueCount] = {
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
    for (int index = 0; index < CoordSet3D::ValueCount; ++index) {
        const FieldPlace& place = places[index];
        edits_[index]
            = MakeField(this, place.editName, QRect(FieldLeft, place.top, FieldWidth, FieldHeight));
        if (place.labelName)
            MakeLabel(
                this, place.labelName, QLatin1String(place.labelText), QPoint(280, place.labelTop));
    }
}

// The symbols of the angle fields and the two diagrams.
void TFormCoord::MakeImages()
{
    sphericalThetaImage_
        = MakeSymbol(this, "Koord_Kugtheta_Image", 184, 17, QStringLiteral("theta"));
    sphericalPhiImage_ = MakeSymbol(this, "Koord_KugPhi_Image", 216, 25, QStringLiteral("phi"));
    cylindricalPhiImage_ = MakeSymbol(this, "Koord_Zylphi_Image", 320, 25, QStringLiteral("phi"));
    sphereImage_ = MakeImage(this, "Koord_Kugel_Image", QRect(408, 128, 99, 111));
    cylinderImage_ = MakeImage(this, "Koord_Zylinder_Image", QRect(400, 272, 112, 115));
}

void TFormCoord::MakeThetaConventionGroup()
{
    kugelZRadioGroup_ = new RadioGroup(this);
    kugelZRadioGroup_->setObjectName(QStringLiteral("Koord_KugelZ_RadioGroup"));
    kugelZRadioGroup_->setGeometry(12, 168, 245, 89);
    QFont groupFont = kugelZRadioGroup_->font();
    groupFont.setPointSizeF(10 * Scale());
    kugelZRadioGroup_->setFont(groupFont);
    kugelZRadioGroup_->Add(QStringLiteral("theta ist Winkel zur z-Achse"));
    kugelZRadioGroup_->Add(QStringLiteral("theta ist Winkel zur xy-Ebene"));
    storedConvention_ = ReadChoice(SettingsNames::ThetaConventionKey);
    kugelZRadioGroup_->SetItemIndex(storedConvention_);
}

void TFormCoord::SetTabOrder()
{
    // The two choices, the nine fields by index, the list.
    QList<QWidget*> order { kugelZRadioGroup_, radDegRadioGroup_ };
    for (QLineEdit* edit : edits_)
        order << edit;
    SetKeyboardOrderToList(order);
}

void TFormCoord::LoadImages()
{
    sphericalPhiImage_->ShowGlyph(Glyphbank(), QStringLiteral("Allg_phi"));
    cylindricalPhiImage_->ShowGlyph(Glyphbank(), QStringLiteral("Allg_phi"));
    sphericalThetaImage_->ShowGlyph(Glyphbank(), QStringLiteral("Allg_teta"));
    cylinderImage_->ShowGlyph(GlyphbankHandle(), QStringLiteral("Coord_Zylinder3"), true);
    LoadSphereImage();
}

void TFormCoord::LoadSphereImage()
{
    const int convention = kugelZRadioGroup_->ItemIndex();
    sphereImage_->ShowGlyph(GlyphbankHandle(),
        convention != ThetaToXYPlane ? QStringLiteral("Coord_KugelZ3")
                                     : QStringLiteral("Coord_Kugel3"),
        true);
    // The sphere diagram is named by what it shows: the spherical coordinates
    // with theta measured as chosen.
    sphereImage_->setAccessibleName(
        JoinedName(sphericalLabel_->text(), kugelZRadioGroup_->ItemText(convention)));
}

void TFormCoord::LanguageChanged()
{
    CoordWindowShell::LanguageChanged();
    const int chosen = kugelZRadioGroup_->ItemIndex();
    kugelZRadioGroup_->Clear();
    const QTranslator* language = Globals().LanguageHandle();
    kugelZRadioGroup_->Add(LanguageFileText(language, TextNumber::ThetaToZAxisItem));
    kugelZRadioGroup_->Add(LanguageFileText(language, TextNumber::ThetaToXYPlaneItem));
    kugelZRadioGroup_->SetItemIndex(chosen);
    SetTabOrder();
    UpdateAccessibleNames();
}

void TFormCoord::UpdateAccessibleNames()
{
    // A screen reader names each field by its symbol and its section, in the
    // language of the section headings ("theta, Spherical coordinates").
    static constexpr const char* symbols[CoordSet3D::ValueCount]
        = { "x", "y", "z", "r", "theta", "phi", "r", "phi", "z" };
    const QString headings[3]
        = { kartesianLabel_->text(), sphericalLabel_->text(), cylindricalLabel_->text() };
    for (int index = 0; index < CoordSet3D::ValueCount; ++index) {
        const QString heading = QString(headings[index / 3]).remove(QLatin1Char('&'));
        edits_[index]->setAccessibleName(heading.isEmpty()
                ? QLatin1String(symbols[index])
                : QStringLiteral("%1, %2").arg(QLatin1String(symbols[index]), heading));
    }
    const QString spherical = QString(sphericalLabel_->text()).remove(QLatin1Char('&'));
    kugelZRadioGroup_->setAccessibleName(
        spherical.isEmpty() ? QStringLiteral("theta") : spherical + QStringLiteral(": theta"));
    // The sphere diagram is named with its picture (LoadSphereImage).
    cylinderImage_->setAccessibleName(JoinedName(cylindricalLabel_->text(), QString()));
}

QString TFormCoord::JoinedName(const QString& heading, const QString& detail)
{
    QStringList parts;
    for (const QString& part : { heading, detail }) {
        if (const QString plain = QString(part).remove(QLatin1Char('&')); !plain.isEmpty())
            parts << plain;
    }
    return parts.join(QStringLiteral(", "));
}

void TFormCoord::StoreChoices(SettingsStore& settings) const
{
    CoordWindowShell::StoreChoices(settings);
    StoreChoice(settings, SettingsNames::ThetaConventionKey,
        kugelZRadioGroup_->ItemIndex() == ThetaToXYPlane ? ThetaToXYPlane : ThetaToZAxis,
        storedConvention_);
}

void TFormCoord::Koord_KugelZ_RadioGroupClick()
{
    fields_.Values().SetThetaConvention(
        kugelZRadioGroup_->ItemIndex() == ThetaToXYPlane ? ThetaToXYPlane : ThetaToZAxis);
    LoadSphereImage();
    fields_.Rewrite(CoordSet3D::ThetaConventionChanged);
}

void TFormCoord::resizeEvent(QResizeEvent* event)
{
    CoordWindowShell::resizeEvent(event);
    FormResize();
}

void TFormCoord::FormResize()
{
    const int margin = Scaled(Margin, Scale());
    const int width
        = this->width() - edits_[CoordSet3D::Kar_x]->x() - 2 * margin - cylinderImage_->width();
    const int diagramLeft = edits_[CoordSet3D::Kar_x]->x() + width + margin;
    cylinderImage_->move(diagramLeft, cylinderImage_->y());
    sphereImage_->move(diagramLeft, sphereImage_->y());
    for (QLineEdit* edit : edits_)
        edit->resize(width, edit->height());
}
