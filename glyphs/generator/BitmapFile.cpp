#include "glyphs/generator/BitmapFile.h"

#include <QtEndian>

#include <stdexcept>
#include <string>

namespace glyphart {
namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;

void AppendU16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void AppendU32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

int RowStride(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

void AppendInfoHeader(
    QByteArray& out, int width, int height, int bitsPerPixel, int imageSize, int colours)
{
    AppendU32(out, InfoHeaderSize);
    AppendU32(out, quint32(width));
    AppendU32(out, quint32(height)); // positive: rows bottom-up
    AppendU16(out, 1); // planes
    AppendU16(out, quint16(bitsPerPixel));
    AppendU32(out, 0); // BI_RGB, uncompressed
    AppendU32(out, quint32(imageSize));
    AppendU32(out, 2835); // 72 dots per inch, as metres
    AppendU32(out, 2835);
    AppendU32(out, quint32(colours));
    AppendU32(out, 0); // all colours important
}

QByteArray PixelRows(const QImage& image, int bitsPerPixel)
{
    const int stride = RowStride(image.width(), bitsPerPixel);
    QByteArray rows;
    rows.reserve(stride * image.height());
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = image.pixel(x, y);
            if (bitsPerPixel == 24) {
                row[3 * x] = char(qBlue(colour));
                row[3 * x + 1] = char(qGreen(colour));
                row[3 * x + 2] = char(qRed(colour));
                continue;
            }
            const int index = PaletteIndex(bitsPerPixel, colour);
            if (index < 0)
                throw std::invalid_argument("pixel " + std::to_string(x) + "," + std::to_string(y)
                    + " is not a colour of the " + std::to_string(bitsPerPixel) + "-bit table");
            const int perByte = 8 / bitsPerPixel;
            const int shift = (perByte - 1 - x % perByte) * bitsPerPixel;
            row[x / perByte] = char(quint8(row[x / perByte]) | (index << shift));
        }
        rows.append(row);
    }
    return rows;
}

} // namespace

namespace {

QList<QRgb> BuildPalette(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return { qRgb(0, 0, 0), qRgb(255, 255, 255) };
    case 4:
        return { qRgb(0, 0, 0), qRgb(128, 0, 0), qRgb(0, 128, 0), qRgb(128, 128, 0),
            qRgb(0, 0, 128), qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0),
            qRgb(0, 0, 255), qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255) };
    case 8: {
        QList<QRgb> palette;
        for (int i = 0; i < 128; ++i) {
            const int level = (i * 255 + 63) / 127;
            palette.append(qRgb(level, level, level));
        }
        for (int i = 0; i < 128; ++i) {
            const int level = (i * 255 + 63) / 127;
            palette.append(qRgb(255, level, level));
        }
        return palette;
    }
    default:
        return {};
    }
}

} // namespace

const QList<QRgb>& FixedPalette(int bitsPerPixel)
{
    static const QList<QRgb> mono = BuildPalette(1);
    static const QList<QRgb> sixteen = BuildPalette(4);
    static const QList<QRgb> ramps = BuildPalette(8);
    static const QList<QRgb> none;
    switch (bitsPerPixel) {
    case 1:
        return mono;
    case 4:
        return sixteen;
    case 8:
        return ramps;
    default:
        return none;
    }
}

int PaletteIndex(int bitsPerPixel, QRgb colour)
{
    // The first match: white is in the 8-bit table twice, and the grey one counts.
    return int(FixedPalette(bitsPerPixel).indexOf(colour | 0xff000000u));
}

QByteArray EncodeBitmap(const QImage& image, int bitsPerPixel)
{
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
        throw std::invalid_argument("unsupported depth " + std::to_string(bitsPerPixel));
    const QList<QRgb>& palette = FixedPalette(bitsPerPixel);
    const QByteArray rows = PixelRows(image, bitsPerPixel);
    const int offset = FileHeaderSize + InfoHeaderSize + 4 * int(palette.size());

    QByteArray out;
    out.append("BM", 2);
    AppendU32(out, quint32(offset + rows.size()));
    AppendU32(out, 0); // reserved
    AppendU32(out, quint32(offset));
    AppendInfoHeader(
        out, image.width(), image.height(), bitsPerPixel, int(rows.size()), int(palette.size()));
    for (const QRgb colour : palette) {
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append('\0');
    }
    out.append(rows);
    return out;
}

QByteArray EncodeIcon(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();
    QByteArray colour;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = argb.pixel(x, y);
            colour.append(char(qBlue(pixel)));
            colour.append(char(qGreen(pixel)));
            colour.append(char(qRed(pixel)));
            colour.append(char(qAlpha(pixel)));
        }
    }
    // The AND mask stays empty: the alpha channel already says what is transparent.
    const QByteArray mask(RowStride(width, 1) * height, '\0');

    QByteArray entry;
    AppendInfoHeader(entry, width, 2 * height, 32, int(colour.size() + mask.size()), 0);
    entry.append(colour);
    entry.append(mask);

    QByteArray out;
    AppendU16(out, 0); // reserved
    AppendU16(out, 1); // icon
    AppendU16(out, 1); // one image
    out.append(char(width >= 256 ? 0 : width));
    out.append(char(height >= 256 ? 0 : height));
    out.append('\0'); // no colour table
    out.append('\0');
    AppendU16(out, 1); // planes
    AppendU16(out, 32);
    AppendU32(out, quint32(entry.size()));
    AppendU32(out, 6 + 16);
    out.append(entry);
    return out;
}

} // namespace glyphart
