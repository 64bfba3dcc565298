#include "glyphs/Glyphlookup.h"

#include "glyphs/SharedObjectFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QRegularExpression>
#include <QResource>

#include <dlfcn.h>

#include <algorithm>

namespace {

// Where each copy of the bitmaps is registered: the library's under its own
// prefix, so that a lookup can tell which one it found.
const QString LibraryPrefix = QStringLiteral(":/glyphbank/");
const QString ProgramPrefix = QStringLiteral(":/glyphs/");
// The program's drawings for dense screens, NAME@2x.bmp beside NAME.bmp.
const QString DensePrefix = QStringLiteral(":/glyphs/dense/");
// The library's version record: present exactly when its resources are.
const QString LibraryRecord = QStringLiteral(":/glyphbank/Glyphbank.version");

// True when the resource's bytes lie inside the shared object loaded from
// libraryPath. A library that carries no resources of its own must not pass
// for the glyph library because another copy registered the same names.
bool ResourceLivesIn(const QString& resourcePath, const QString& libraryPath)
{
    const QResource resource(resourcePath);
    if (!resource.isValid() || resource.data() == nullptr)
        return false;
    Dl_info info {};
    if (dladdr(resource.data(), &info) == 0 || info.dli_fname == nullptr)
        return false;
    const QString owner = QFileInfo(QFile::decodeName(info.dli_fname)).canonicalFilePath();
    return !owner.isEmpty() && owner == QFileInfo(libraryPath).canonicalFilePath();
}

// Bitmap names are letters, digits and underscores; anything else could
// walk out of the bitmaps' folder in the resource tree.
bool IsBitmapName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_]+$"));
    return pattern.match(name).hasMatch();
}

// The colour depth a bitmap file declares (bits per pixel of its information
// header); 0 when the bytes hold no such header.
int DeclaredDepth(const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    // File header (14 bytes), then the information header, whose bit count
    // lies 14 bytes in.
    const QByteArray head = file.read(30);
    if (head.size() < 30 || !head.startsWith("BM"))
        return 0;
    return static_cast<unsigned char>(head[28]) | static_cast<unsigned char>(head[29]) << 8;
}

// A bitmap of the library is used only when it decodes to the size and depth
// of the program's copy of the same symbol: a damaged library never blanks or
// distorts a symbol the program can show itself.
bool MatchesProgramCopy(const QString& libraryPath, const QString& programPath)
{
    const QImage bitmap(libraryPath, "BMP");
    if (bitmap.isNull())
        return false;
    if (!QFile::exists(programPath))
        return true;
    const QImage copy(programPath, "BMP");
    return bitmap.size() == copy.size() && DeclaredDepth(libraryPath) == DeclaredDepth(programPath);
}

} // namespace

GlyphbankHandle LoadGlyphbank(const QString& programFolder)
{
    GlyphbankHandle handle;
    const QFileInfo file(QDir(programFolder), QString::fromLatin1(GlyphbankFileName));
    if (!file.isFile() || !IsWholeSharedObject(file.absoluteFilePath()))
        return handle;
    // Never unloaded (QLibrary's destructor leaves the library loaded): the
    // bitmaps it registered are in use as long as the windows live.
    auto library = std::make_shared<QLibrary>(file.absoluteFilePath());
    if (!library->load() || !ResourceLivesIn(LibraryRecord, file.absoluteFilePath()))
        return handle;
    handle.library_ = std::move(library);
    return handle;
}

QString GlyphResourcePath(const GlyphbankHandle& glyphbank, const QString& name)
{
    if (!IsBitmapName(name))
        return {};
    // Stored in capitals: "Allg_phi" finds ALLG_PHI.
    const QString fileName = name.toUpper() + QStringLiteral(".bmp");
    if (!glyphbank.IsEmpty() && QFile::exists(LibraryPrefix + fileName)
        && MatchesProgramCopy(LibraryPrefix + fileName, ProgramPrefix + fileName))
        return LibraryPrefix + fileName;
    if (QFile::exists(ProgramPrefix + fileName))
        return ProgramPrefix + fileName;
    return {};
}

QImage LoadGlyphBitmap(const GlyphbankHandle& glyphbank, const QString& name)
{
    const QString path = GlyphResourcePath(glyphbank, name);
    return path.isEmpty() ? QImage() : QImage(path, "BMP");
}

QImage LoadDenseGlyphBitmap(const QString& name, int density)
{
    if (!IsBitmapName(name))
        return {};
    const QString path = DensePrefix + name.toUpper() + QStringLiteral("@%1x.bmp").arg(density);
    if (!QFile::exists(path))
        return {};
    QImage bitmap(path, "BMP");
    bitmap.setDevicePixelRatio(1);
    return bitmap;
}

QImage InkedBitmap(const QImage& bitmap, const QColor& ink)
{
    if (bitmap.isNull())
        return bitmap;
    // Every pixel is read as ink of some colour laid over white paper with
    // some coverage: the coverage is what the lightest channel lacks of
    // white, and the ink colour is what remains once the white is taken out.
    const bool lightInk = ink.lightness() > 128;
    QImage inked = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < inked.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(inked.scanLine(y));
        for (int x = 0; x < inked.width(); ++x) {
            const QRgb pixel = line[x];
            const int coverage = 255 - std::min({ qRed(pixel), qGreen(pixel), qBlue(pixel) });
            if (coverage == 0) {
                line[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            const auto unmixed
                = [coverage](int channel) { return 255 - (255 - channel) * 255 / coverage; };
            QColor colour(unmixed(qRed(pixel)), unmixed(qGreen(pixel)), unmixed(qBlue(pixel)));
            if (colour == Qt::black)
                colour = ink;
            else if (lightInk)
                colour = colour.lighter(170);
            colour.setAlpha(colour.alpha() * coverage / 255);
            line[x] = colour.rgba();
        }
    }
    return inked;
}
