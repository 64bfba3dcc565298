#pragma once

// An image element that shows a symbol or a diagram as ink in the text
// colour of its palette, drawn for the density of its screen: on a screen of
// more than one device pixel per pixel the program's denser drawing is used
// (made smaller to fit where the screen is less dense than it), never the
// small bitmap enlarged. It draws itself again when the palette or the screen
// changes, so a switch to a dark theme keeps symbols and diagrams visible.

#include "glyphs/Glyphlookup.h"

#include <QLabel>

class GlyphImage : public QLabel
{
    Q_OBJECT

public:
    explicit GlyphImage(QWidget* parent = nullptr);

    // The bitmap called name, looked up in the glyph library (or, for an
    // empty handle, in the program's resources). With fitPicture the element
    // takes the size of its picture.
    void ShowGlyph(const GlyphbankHandle& glyphbank, const QString& name, bool fitPicture = false);
    // Pictures grow with the window's design scale (a larger font).
    void SetDesignScale(qreal scale);

    // What one shown picture is drawn from: the density of the drawing used
    // (1 for the plain bitmap, 2 for the denser one); 0 before anything is shown.
    int SourceDensity() const { return sourceDensity_; }

protected:
    bool event(QEvent* event) override;

private:
    void Render();

    GlyphbankHandle glyphbank_;
    QString name_;
    bool fitPicture_ = false;
    qreal designScale_ = 1;
    qreal renderedRatio_ = 0;
    int sourceDensity_ = 0;
};
