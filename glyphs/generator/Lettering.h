#pragma once

// The drawing tools shared by the symbols and the diagrams: outlines of text
// taken straight from the font files, an ink layer that Qt's antialiasing
// rasteriser fills with coverage, and pixel-exact lines for 1-bit art.
// Nothing here asks the machine's font configuration, so the same files
// give the same pixels.

#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QRawFont>
#include <QRect>
#include <QRgb>
#include <QString>

namespace glyphart {

enum class Face
{
    Italic,
    Upright
};

// The typeface at a pixel size; throws std::runtime_error when its file is missing.
QRawFont LoadFace(Face face, double pixelSize);

// Outline of text set on the baseline y = 0 from x = 0, glyph by glyph.
QPainterPath TextOutline(const QRawFont& font, const QString& text);

// Advance width of text.
double TextAdvance(const QRawFont& font, const QString& text);

// Coverage of ink per pixel, 0 (paper) to 255 (ink).
class InkLayer
{
public:
    InkLayer(int width, int height);

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }

    // Antialiased; each part on its own, so that the winding of overlapping
    // outlines never cuts holes.
    void Fill(const QPainterPath& path);
    void FillRect(const QRect& rect);
    void SetPixel(int x, int y);
    int Coverage(int x, int y) const;

    // Ink with at least this coverage, as a mask.
    InkLayer Thresholded(int minimumCoverage) const;

private:
    QImage image_;
};

// Pixels of a straight line from one point to another, both included.
QList<QPoint> LinePixels(QPoint from, QPoint to);

// Paints colour over the picture wherever the layer has ink: for pictures
// whose pixels must stay in a small colour table.
void PaintSolid(QImage& picture, const InkLayer& ink, QRgb colour);

} // namespace glyphart
