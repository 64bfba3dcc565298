#pragma once

// The 59 symbol bitmaps: italic letters, Greek letters, vectors and letters
// with indices, each drawn at the size and colour depth the windows expect.

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace glyphart {

struct DrawnBitmap
{
    QString name; // the resource name, in capitals
    int bitsPerPixel;
    QImage picture; // every pixel a colour of the depth's fixed table
};

QList<DrawnBitmap> DrawSymbols();

// The named symbols drawn anew for a screen of `scale` device pixels per
// design pixel, as 8-bit grey with smooth edges; each named NAME@<scale>x.
QList<DrawnBitmap> DrawSharpSymbols(const QStringList& names, int scale);

} // namespace glyphart
