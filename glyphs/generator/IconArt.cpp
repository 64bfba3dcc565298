#include "glyphs/generator/IconArt.h"

#include "glyphs/generator/Lettering.h"

#include <QPainter>

namespace glyphart {

QImage DrawIcon()
{
    constexpr int Size = 32;
    QImage icon(Size, Size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(64, 64, 64), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(1.75, 1.75, Size - 3.5, Size - 3.5), 5, 5);

    QPainterPath phi = TextOutline(LoadFace(Face::Italic, 26), QStringLiteral("\u03c6"));
    const QRectF box = phi.boundingRect();
    phi.translate(Size / 2.0 - box.center().x(), Size / 2.0 - box.center().y());
    painter.fillPath(phi, Qt::black);
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace glyphart
