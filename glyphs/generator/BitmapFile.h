#pragma once

// Writes device-independent bitmap files (BMP) and icons byte for byte, so
// that the committed bitmaps can be regenerated exactly. Qt's own BMP writer
// knows no 4-bit bitmaps and chooses palettes itself; here every depth has
// one fixed colour table and every pixel must already be one of its colours.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

namespace glyphart {

// The fixed colour table of a depth: 1 bit black and white, 4 bits the
// 16 standard window colours, 8 bits a grey ramp and a red ramp of 128
// steps each (index 0 black … 127 white, 128 red … 255 white); empty for 24 bits.
const QList<QRgb>& FixedPalette(int bitsPerPixel);

// Index of colour in the fixed table of the depth, or -1 when absent.
int PaletteIndex(int bitsPerPixel, QRgb colour);

// The BMP file: 14-byte file header, 40-byte BITMAPINFOHEADER, the colour
// table, the rows bottom-up padded to 4 bytes, uncompressed. Throws
// std::invalid_argument when a pixel is not a colour of the depth's table.
QByteArray EncodeBitmap(const QImage& image, int bitsPerPixel);

// A one-image icon file with 32-bit colour and alpha.
QByteArray EncodeIcon(const QImage& image);

} // namespace glyphart
