#include "glyphs/generator/SymbolArt.h"

#include "glyphs/generator/BitmapFile.h"
#include "glyphs/generator/Lettering.h"

#include <QPainterPathStroker>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace glyphart {
namespace {

enum class Mark
{
    None,
    Arrow,
    Hat
};

struct Symbol
{
    const char* name;
    int width;
    int height;
    int bitsPerPixel;
    const char* letter; // UTF-8; empty for a blank field
    double size = 14; // pixel size of the letter
    const char* index = ""; // lowered index; digits upright, letters italic
    Mark mark = Mark::None;
    bool red = false;
    int baseline = 0; // 0: the drawing is centred vertically
    double indexShift = 0; // fine placement of the index, in pixels
    // Moves the letter by a fraction of a pixel where it cuts cleaner to 1 bit.
    double nudgeX = 0;
    double nudgeY = 0;
};

// The letters of one row share size and baseline, as in typeset text.
constexpr int Row = 12;

const Symbol Symbols[] = {
    { "ALLG_A", 16, 16, 8, "a", 14, "", Mark::None, false, Row },
    { "ALLG_B", 16, 16, 8, "b", 14, "", Mark::None, false, Row },
    { "ALLG_C", 16, 16, 8, "c", 14, "", Mark::None, false, Row },
    { "ALLG_D", 16, 16, 8, "d", 14, "", Mark::None, false, Row },
    { "ALLG_E", 16, 16, 8, "e", 14, "", Mark::None, false, Row },
    { "ALLG_F", 16, 16, 8, "f", 14, "", Mark::None, false, Row },
    { "ALLG_H", 16, 15, 8, "h", 14, "", Mark::None, false, Row },
    { "ALLG_P", 16, 16, 8, "p", 14, "", Mark::None, false, Row },
    { "ALLG_Q", 16, 16, 8, "q", 14, "", Mark::None, false, Row },
    { "ALLG_R", 16, 16, 8, "r", 14, "", Mark::None, false, Row },
    { "ALLG_S", 16, 16, 8, "s", 14, "", Mark::None, false, Row },

    { "ALLG_AA", 16, 16, 1, "A", 14, "", Mark::None, false, 13 },
    { "ALLG_GG", 16, 16, 8, "G", 14, "", Mark::None, false, 13 },
    { "ALLG_MM", 16, 16, 8, "M", 14, "", Mark::None, false, 13 },
    { "ALLG_RR", 16, 16, 8, "R", 14, "", Mark::None, false, 13 },
    { "ALLG_SS", 16, 16, 8, "S", 14, "", Mark::None, false, 13 },
    { "ALLG_UU", 16, 16, 8, "U", 14, "", Mark::None, false, 13 },

    { "ALLG_ALPHA", 16, 16, 8, "\u03b1", 14, "", Mark::None, false, Row },
    { "ALLG_BETA", 16, 16, 8, "\u03b2", 14, "", Mark::None, false, Row },
    { "ALLG_GAMMA", 16, 16, 8, "\u03b3", 14, "", Mark::None, false, Row },
    { "ALLG_DELTA", 16, 16, 8, "\u03b4", 14, "", Mark::None, false, Row },
    { "ALLG_EPSILON", 16, 16, 8, "\u03b5", 14, "", Mark::None, false, Row },
    { "ALLG_PHI", 16, 16, 8, "\u03c6", 14, "", Mark::None, false, Row },
    { "ALLG_ROH", 16, 15, 1, "\u03c1", 14 },
    { "ALLG_TETA", 14, 18, 1, "\u03d1", 16 },

    { "ALLG_AVEC", 13, 18, 1, "a", 15, "", Mark::Arrow },
    { "ALLG_BVEC", 13, 22, 1, "b", 15, "", Mark::Arrow },
    { "ALLG_CVEC", 13, 18, 1, "c", 15, "", Mark::Arrow },
    { "ALLG_XVEC", 26, 36, 1, "x", 30, "", Mark::Arrow },

    { "ALLG_A1VEC", 17, 22, 1, "a", 15, "1", Mark::Arrow },
    { "ALLG_A2VEC", 18, 22, 1, "a", 15, "2", Mark::Arrow },
    { "ALLG_A3VEC", 17, 23, 1, "a", 15, "3", Mark::Arrow },
    { "ALLG_B1VEC", 16, 25, 1, "b", 15, "1", Mark::Arrow },
    { "ALLG_B2VEC", 17, 25, 1, "b", 15, "2", Mark::Arrow },
    { "ALLG_B3VEC", 16, 26, 1, "b", 15, "3", Mark::Arrow },
    { "ALLG_C1VEC", 16, 22, 1, "c", 15, "1", Mark::Arrow },
    { "ALLG_C2VEC", 17, 22, 1, "c", 15, "2", Mark::Arrow },
    { "ALLG_C3VEC", 17, 23, 1, "c", 15, "3", Mark::Arrow },
    { "ALLG_D1VEC", 16, 25, 1, "d", 15, "1", Mark::Arrow },
    { "ALLG_D2VEC", 17, 25, 1, "d", 15, "2", Mark::Arrow },
    { "ALLG_D3VEC", 16, 26, 1, "d", 15, "3", Mark::Arrow },
    { "ALLG_M1VEC", 20, 22, 1, "m", 15, "1", Mark::Arrow },
    { "ALLG_M2VEC", 21, 22, 1, "m", 15, "2", Mark::Arrow },

    { "ALLG_D_1", 16, 16, 8, "d", 13, "1", Mark::None, false, 11 },
    { "ALLG_D_2", 16, 16, 8, "d", 13, "2", Mark::None, false, 11 },
    { "ALLG_G_1", 16, 16, 8, "G", 13, "1", Mark::None, false, 11 },
    { "ALLG_G_2", 16, 16, 8, "G", 13, "2", Mark::None, false, 11 },
    { "ALLG_H_A", 16, 16, 8, "h", 13, "a", Mark::None, false, 11 },
    { "ALLG_H_B", 16, 16, 8, "h", 13, "b", Mark::None, false, 11 },
    { "ALLG_H_C", 16, 16, 8, "h", 13, "c", Mark::None, false, 11 },
    { "ALLG_S_A", 16, 16, 1, "s", 14, "a", Mark::None, false, 11, 0, 0.5, 0.5 },
    { "ALLG_S_B", 16, 16, 8, "s", 13, "b", Mark::None, false, 11 },
    { "ALLG_S_C", 16, 16, 8, "s", 13, "c", Mark::None, false, 11 },
    { "ALLG_W_A", 16, 16, 8, "w", 13, "a", Mark::None, false, 11, -0.8 },
    { "ALLG_W_B", 16, 16, 8, "w", 13, "b", Mark::None, false, 11, -0.8 },
    { "ALLG_W_C", 16, 16, 8, "w", 13, "c", Mark::None, false, 11, -0.8 },

    { "ALLG_AVECRED", 13, 18, 8, "a", 15, "", Mark::Arrow, true },
    { "ALLG_NDACH", 15, 18, 24, "n", 15, "", Mark::Hat },
    { "ALLG_LEER", 8, 7, 24, "" },
};

// Indices of the 1-bit symbols, drawn pixel by pixel: an outline this small
// falls apart when cut to black and white.
const QStringList& PixelIndexGlyph(QChar index)
{
    static const QStringList one
        = { "..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###." };
    static const QStringList two
        = { ".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####" };
    static const QStringList three
        = { ".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###." };
    static const QStringList a = { ".###.", "....#", ".####", "#...#", ".####" };
    switch (index.unicode()) {
    case '1':
        return one;
    case '2':
        return two;
    case '3':
        return three;
    case 'a':
        return a;
    default:
        throw std::runtime_error("no pixel glyph for index " + QString(index).toStdString());
    }
}

// Coverage from which a pixel of a 1-bit symbol is black: a little under
// half, so that the thin hairlines of the italic survive.
constexpr int MonochromeThreshold = 102;

// One part of a symbol, placed relative to the letter's baseline origin.
struct Part
{
    QPainterPath outline; // antialiased ink
    QList<QRect> pixels; // pixel-exact ink
};

QRectF Extent(const Part& part)
{
    QRectF extent = part.outline.boundingRect();
    for (const QRect& rect : part.pixels)
        extent |= QRectF(rect);
    return extent;
}

// A vector arrow over the letter: shaft one pixel (two for large letters),
// the head two open barbs, all on the pixel grid so that it stays crisp.
Part Arrow(const QRectF& letter, double size)
{
    const int thickness = size >= 24 ? 2 : 1;
    const int barb = size >= 24 ? 4 : 2;
    const int gap = size >= 24 ? 3 : 2;
    // The italic leans to the right: start the arrow a little right of the
    // letter's foot and end it over its top right.
    const int left = int(std::floor(letter.left() + size * 0.10));
    const int right = int(std::ceil(letter.right() + size * 0.02));
    const int shaft = int(std::floor(letter.top())) - gap - barb - thickness;
    Part arrow;
    arrow.pixels.append(QRect(left, shaft, right - left, thickness));
    for (int step = 1; step <= barb; ++step) {
        arrow.pixels.append(QRect(right - step, shaft - step, thickness, 1));
        arrow.pixels.append(QRect(right - step, shaft + thickness - 1 + step, thickness, 1));
    }
    return arrow;
}

// A circumflex over the letter, as a stroked angle.
Part Hat(const QRectF& letter, double size)
{
    const double centre = letter.center().x() + size * 0.08;
    const double bottom = letter.top() - size * 0.10;
    const double halfWidth = size * 0.20;
    const double rise = size * 0.20;
    QPainterPath angle;
    angle.moveTo(centre - halfWidth, bottom);
    angle.lineTo(centre, bottom - rise);
    angle.lineTo(centre + halfWidth, bottom);
    QPainterPathStroker stroker;
    stroker.setWidth(size * 0.075);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::FlatCap);
    Part hat;
    hat.outline = stroker.createStroke(angle);
    return hat;
}

QList<Part> Compose(const Symbol& symbol)
{
    QList<Part> parts;
    const QString letter = QString::fromUtf8(symbol.letter);
    if (letter.isEmpty())
        return parts;
    const QRawFont face = LoadFace(Face::Italic, symbol.size);
    Part main;
    main.outline = TextOutline(face, letter);
    main.outline.translate(symbol.nudgeX, symbol.nudgeY);
    const QRectF letterBox = main.outline.boundingRect();
    parts.append(main);

    const QString index = QString::fromUtf8(symbol.index);
    if (!index.isEmpty()) {
        Part lowered;
        const double advance = TextAdvance(face, letter) + symbol.indexShift;
        if (symbol.bitsPerPixel == 1) {
            const QStringList& rows = PixelIndexGlyph(index.at(0));
            const int left = int(std::lround(advance));
            // The last row lies three pixels under the baseline, as a lowered index.
            const int top = 4 - int(rows.size());
            for (int row = 0; row < rows.size(); ++row)
                for (int column = 0; column < rows[row].size(); ++column)
                    if (rows[row].at(column) == QLatin1Char('#'))
                        lowered.pixels.append(QRect(left + column, top + row, 1, 1));
        } else {
            const bool digit = index.at(0).isDigit();
            const double indexSize = std::round(symbol.size * 0.68);
            const QRawFont indexFace = LoadFace(digit ? Face::Upright : Face::Italic, indexSize);
            lowered.outline = TextOutline(indexFace, index);
            lowered.outline.translate(advance, std::round(symbol.size * 0.28));
        }
        parts.append(lowered);
    }
    if (symbol.mark == Mark::Arrow)
        parts.append(Arrow(letterBox, symbol.size));
    if (symbol.mark == Mark::Hat)
        parts.append(Hat(letterBox, symbol.size));
    return parts;
}

InkLayer Draw(const Symbol& symbol)
{
    InkLayer ink(symbol.width, symbol.height);
    QList<Part> parts = Compose(symbol);
    if (parts.isEmpty())
        return ink;
    QRectF extent;
    for (const Part& part : parts)
        extent |= Extent(part);
    // Whole pixels only, so that the arrows stay on the pixel grid; centred,
    // unless a sliver would then fall off an edge.
    const int leftmost = int(std::ceil(-extent.left()));
    const int rightmost = int(std::floor(symbol.width - extent.right()));
    const int topmost = int(std::ceil(-extent.top()));
    const int bottommost = int(std::floor(symbol.height - extent.bottom()));
    if (leftmost > rightmost || (symbol.baseline == 0 && topmost > bottommost)
        || (symbol.baseline > 0 && (symbol.baseline < topmost || symbol.baseline > bottommost)))
        throw std::runtime_error(std::string(symbol.name) + " does not fit its bitmap: "
            + std::to_string(extent.width()) + " by " + std::to_string(extent.height()));
    const int dx = std::clamp(
        int(std::lround((symbol.width - extent.width()) / 2 - extent.left())), leftmost, rightmost);
    const int dy = symbol.baseline > 0
        ? symbol.baseline
        : std::clamp(int(std::lround((symbol.height - extent.height()) / 2 - extent.top())),
            topmost, bottommost);
    for (Part& part : parts) {
        part.outline.translate(dx, dy);
        ink.Fill(part.outline);
        for (const QRect& rect : part.pixels)
            ink.FillRect(rect.translated(dx, dy));
    }
    return ink;
}

QImage Quantise(const InkLayer& ink, int bitsPerPixel, bool red)
{
    QImage picture(ink.Width(), ink.Height(), QImage::Format_RGB32);
    const QList<QRgb>& palette = FixedPalette(bitsPerPixel);
    for (int y = 0; y < ink.Height(); ++y) {
        for (int x = 0; x < ink.Width(); ++x) {
            const int coverage = ink.Coverage(x, y);
            const int paper = 255 - coverage;
            switch (bitsPerPixel) {
            case 1:
                picture.setPixel(x, y, palette[coverage >= MonochromeThreshold ? 0 : 1]);
                break;
            case 8: {
                // The grey ramp for black ink, the red ramp for red ink.
                const int step = (paper * 127 + 127) / 255;
                picture.setPixel(x, y, palette[red ? 128 + step : step]);
                break;
            }
            default:
                picture.setPixel(x, y, qRgb(paper, paper, paper));
            }
        }
    }
    return picture;
}

// The symbol at `scale` times its size: every length grows, the letter is
// set from the font's outline at the larger size rather than enlarged.
Symbol ScaledSymbol(const Symbol& symbol, int scale)
{
    Symbol scaled = symbol;
    scaled.width *= scale;
    scaled.height *= scale;
    scaled.size *= scale;
    scaled.baseline *= scale;
    scaled.indexShift *= scale;
    scaled.nudgeX *= scale;
    scaled.nudgeY *= scale;
    scaled.bitsPerPixel = 8;
    return scaled;
}

} // namespace

QList<DrawnBitmap> DrawSharpSymbols(const QStringList& names, int scale)
{
    QList<DrawnBitmap> drawn;
    for (const Symbol& symbol : Symbols) {
        const QString name = QString::fromLatin1(symbol.name);
        if (!names.contains(name))
            continue;
        if (symbol.bitsPerPixel == 1 && symbol.index[0] != '\0')
            throw std::runtime_error(name.toStdString() + ": pixel-drawn indices do not scale");
        const Symbol scaled = ScaledSymbol(symbol, scale);
        drawn.append(
            { name + QStringLiteral("@%1x").arg(scale), 8, Quantise(Draw(scaled), 8, symbol.red) });
    }
    if (drawn.size() != names.size())
        throw std::runtime_error("unknown symbol among " + names.join(' ').toStdString());
    return drawn;
}

QList<DrawnBitmap> DrawSymbols()
{
    QList<DrawnBitmap> drawn;
    for (const Symbol& symbol : Symbols) {
        drawn.append({ QString::fromLatin1(symbol.name), symbol.bitsPerPixel,
            Quantise(Draw(symbol), symbol.bitsPerPixel, symbol.red) });
    }
    return drawn;
}

} // namespace glyphart
