#pragma once

#include <QImage>

namespace glyphart {

// The library's icon: an italic phi on a white tile, 32 by 32 with alpha.
QImage DrawIcon();

} // namespace glyphart
