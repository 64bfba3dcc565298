#pragma once

// The four coordinate diagrams that the program shows beside its fields:
// the sphere octant with theta from the z axis and from the xy plane, the
// cylinder, and the plane with its polar coordinates.

#include "glyphs/generator/SymbolArt.h"

namespace glyphart {

QList<DrawnBitmap> DrawDiagrams();

} // namespace glyphart
