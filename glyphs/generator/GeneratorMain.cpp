// Draws the symbol bitmaps, the coordinate diagrams and the library's icon,
// and writes them as the files that the build compiles into the program and
// into libGlyphbank.so:
//
//   glyph_generator <glyphs folder> [<docs folder>]
//
// writes <glyphs>/bitmaps/ALLG_*.bmp, <glyphs>/diagrams/COORD_*.bmp,
// <glyphs>/Glyphbank.ico, the program's pictures for screens of twice the
// density in <glyphs>/hidpi/ (the two symbols it shows and the diagrams,
// NAME@2x.bmp), and with a docs folder the enlarged previews.

#include "glyphs/generator/BitmapFile.h"
#include "glyphs/generator/DiagramArt.h"
#include "glyphs/generator/IconArt.h"
#include "glyphs/generator/Preview.h"
#include "glyphs/generator/SymbolArt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void WriteBitmaps(const QString& folder, const QList<glyphart::DrawnBitmap>& bitmaps)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot create " + folder.toStdString());
    for (const glyphart::DrawnBitmap& bitmap : bitmaps)
        WriteFile(folder + QLatin1Char('/') + bitmap.name + QStringLiteral(".bmp"),
            glyphart::EncodeBitmap(bitmap.picture, bitmap.bitsPerPixel));
}

void WritePreviews(const QString& folder, const QList<glyphart::DrawnBitmap>& symbols,
    const QList<glyphart::DrawnBitmap>& diagrams)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot create " + folder.toStdString());
    if (!glyphart::SymbolSheet(symbols, 4).save(folder + QStringLiteral("/glyphs-strip.png")))
        throw std::runtime_error("cannot write the symbol sheet");
    for (const glyphart::DrawnBitmap& diagram : diagrams) {
        const QString path = folder + QStringLiteral("/diagram-") + diagram.name.toLower()
            + QStringLiteral(".png");
        if (!glyphart::Enlarged(diagram.picture, 3).save(path))
            throw std::runtime_error("cannot write " + path.toStdString());
    }
}

} // namespace

int main(int argc, char* argv[])
{
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <glyphs folder> [<docs folder>]\n", argv[0]);
        return 2;
    }
    try {
        const QString glyphs = QString::fromLocal8Bit(argv[1]);
        const QList<glyphart::DrawnBitmap> symbols = glyphart::DrawSymbols();
        const QList<glyphart::DrawnBitmap> diagrams = glyphart::DrawDiagrams();
        WriteBitmaps(glyphs + QStringLiteral("/bitmaps"), symbols);
        WriteBitmaps(glyphs + QStringLiteral("/diagrams"), diagrams);
        constexpr int Density = 2;
        WriteBitmaps(glyphs + QStringLiteral("/hidpi"),
            glyphart::DrawSharpSymbols(
                { QStringLiteral("ALLG_PHI"), QStringLiteral("ALLG_TETA") }, Density)
                + glyphart::DrawDiagrams(Density));
        WriteFile(
            glyphs + QStringLiteral("/Glyphbank.ico"), glyphart::EncodeIcon(glyphart::DrawIcon()));
        if (argc == 3)
            WritePreviews(QString::fromLocal8Bit(argv[2]), symbols, diagrams);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "glyph_generator: %s\n", error.what());
        return 1;
    }
    return 0;
}
