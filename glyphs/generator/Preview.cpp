#include "glyphs/generator/Preview.h"

#include "glyphs/generator/Lettering.h"

#include <QPainter>

#include <algorithm>

namespace glyphart {

QImage Enlarged(const QImage& picture, int scale)
{
    return picture.scaled(picture.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage SymbolSheet(const QList<DrawnBitmap>& symbols, int scale)
{
    constexpr int Columns = 10;
    constexpr int Padding = 8;
    constexpr int LabelHeight = 16;
    int cellWidth = 0;
    int pictureHeight = 0;
    for (const DrawnBitmap& symbol : symbols) {
        cellWidth = std::max(cellWidth, symbol.picture.width() * scale);
        pictureHeight = std::max(pictureHeight, symbol.picture.height() * scale);
    }
    cellWidth = std::max(cellWidth, 100) + 2 * Padding;
    const int cellHeight = pictureHeight + LabelHeight + 2 * Padding;
    const int rows = int((symbols.size() + Columns - 1) / Columns);

    QImage sheet(Columns * cellWidth, rows * cellHeight, QImage::Format_RGB32);
    sheet.fill(qRgb(224, 224, 224));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRawFont labelFont = LoadFace(Face::Upright, 10);
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        const DrawnBitmap& symbol = symbols[i];
        const int left = int(i % Columns) * cellWidth;
        const int top = int(i / Columns) * cellHeight;
        const QImage big = Enlarged(symbol.picture, scale);
        painter.drawImage(left + (cellWidth - big.width()) / 2,
            top + Padding + (pictureHeight - big.height()) / 2, big);
        QPainterPath label = TextOutline(labelFont, symbol.name);
        label.translate(left + (cellWidth - TextAdvance(labelFont, symbol.name)) / 2,
            top + Padding + pictureHeight + LabelHeight - 3);
        painter.fillPath(label, Qt::black);
    }
    return sheet;
}

} // namespace glyphart
