#pragma once

// The 59 symbol bitmaps: italic letters, Greek letters, vectors and letters
// with indices, each drawn at the size and colour depth the windows expect.

#include <QImage>
#include <QList>
#include <QString>

namespace glyphart {

struct DrawnBitmap
{
    QString name; // the resource name, in capitals
    int bitsPerPixel;
    QImage picture; // every pixel a colour of the depth's fixed table
};

QList<DrawnBitmap> DrawSymbols();

} // namespace glyphart
