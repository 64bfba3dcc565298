#pragma once

// Enlarged views of the drawn bitmaps for the documentation: a sheet of all
// symbols with their names, and each diagram on its own.

#include "glyphs/generator/SymbolArt.h"

#include <QImage>
#include <QList>

namespace glyphart {

QImage SymbolSheet(const QList<DrawnBitmap>& symbols, int scale);
QImage Enlarged(const QImage& picture, int scale);

} // namespace glyphart
