#include "glyphs/generator/Lettering.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace glyphart {

QRawFont LoadFace(Face face, double pixelSize)
{
    // DejaVu Serif: the italic comes with fonts-dejavu-extra, the upright with fonts-dejavu-core.
    const QString file = face == Face::Italic
        ? QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf")
        : QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf");
    if (!QFileInfo(file).isFile())
        throw std::runtime_error("font file missing: " + file.toStdString());
    QRawFont font(file, pixelSize, QFont::PreferNoHinting);
    if (!font.isValid())
        throw std::runtime_error("font file unreadable: " + file.toStdString());
    return font;
}

QPainterPath TextOutline(const QRawFont& font, const QString& text)
{
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    double x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        QPainterPath glyph = font.pathForGlyph(glyphs[i]);
        glyph.translate(x, 0);
        outline.addPath(glyph);
        x += advances[i].x();
    }
    return outline;
}

double TextAdvance(const QRawFont& font, const QString& text)
{
    double x = 0;
    for (const QPointF& advance : font.advancesForGlyphIndexes(font.glyphIndexesForString(text)))
        x += advance.x();
    return x;
}

InkLayer::InkLayer(int width, int height)
    : image_(width, height, QImage::Format_ARGB32_Premultiplied)
{
    image_.fill(Qt::black);
}

void InkLayer::Fill(const QPainterPath& path)
{
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath winding = path;
    winding.setFillRule(Qt::WindingFill);
    painter.fillPath(winding, Qt::white);
}

void InkLayer::FillRect(const QRect& rect)
{
    QPainter painter(&image_);
    painter.fillRect(rect, Qt::white);
}

void InkLayer::SetPixel(int x, int y)
{
    if (x >= 0 && y >= 0 && x < Width() && y < Height())
        image_.setPixel(x, y, qRgb(255, 255, 255));
}

int InkLayer::Coverage(int x, int y) const
{
    return qRed(image_.pixel(x, y));
}

InkLayer InkLayer::Thresholded(int minimumCoverage) const
{
    InkLayer mask(Width(), Height());
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            if (Coverage(x, y) >= minimumCoverage)
                mask.SetPixel(x, y);
    return mask;
}

QList<QPoint> LinePixels(QPoint from, QPoint to)
{
    // Bresenham: the same pixels whatever the rasteriser of the day does.
    QList<QPoint> pixels;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    for (;;) {
        pixels.append(at);
        if (at == to)
            break;
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
    return pixels;
}

void PaintSolid(QImage& picture, const InkLayer& ink, QRgb colour)
{
    for (int y = 0; y < std::min(picture.height(), ink.Height()); ++y)
        for (int x = 0; x < std::min(picture.width(), ink.Width()); ++x)
            if (ink.Coverage(x, y) > 0)
                picture.setPixel(x, y, colour);
}

} // namespace glyphart
