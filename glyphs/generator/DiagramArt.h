#pragma once

// The four coordinate diagrams that the program shows beside its fields:
// the sphere octant with theta from the z axis and from the xy plane, the
// cylinder, and the plane with its polar coordinates.

#include "glyphs/generator/SymbolArt.h"

namespace glyphart {

// At scale 1 the pixel drawings; at a larger scale the same pictures drawn
// for a screen of that many device pixels per design pixel.
QList<DrawnBitmap> DrawDiagrams(int scale = 1);

} // namespace glyphart
