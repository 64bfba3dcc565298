#pragma once

// Symbol bitmaps for the coordinate windows. A window loads the glyph
// library from the program's folder once and keeps the handle; bitmaps are
// then looked up by name, without regard to case, in the library and else
// among the program's own copies, which also hold the four diagrams:
//
//   LoadGlyphbank(folder) -> GlyphbankHandle -> LoadGlyphBitmap(handle, "Allg_phi")
//   (its drawing for a dense screen: LoadDenseGlyphBitmap) -> InkedBitmap in the
//   palette's text colour -> the window's image element (GlyphImage)
//
// Nothing here shows a message: a missing or damaged library only means
// that the program's copies are used.

#include <QColor>
#include <QImage>
#include <QString>

#include <memory>

class QLibrary;

// File name of the glyph library beside the program.
inline constexpr char GlyphbankFileName[] = "libGlyphbank.so";

// A loaded glyph library, or the empty handle that stands for the program's
// own resources. Copies share the library, which is never unloaded: its
// resources stay registered for the rest of the run.
class GlyphbankHandle
{
public:
    GlyphbankHandle() = default;

    bool IsEmpty() const { return library_ == nullptr; }

private:
    friend GlyphbankHandle LoadGlyphbank(const QString& programFolder);
    std::shared_ptr<QLibrary> library_;
};

// Loads GlyphbankFileName from programFolder. The handle is empty when the
// file is missing, is no whole loadable library (a file cut short is never
// handed to the loader), or does not carry the glyph resources.
GlyphbankHandle LoadGlyphbank(const QString& programFolder);

// Resource path of the bitmap called name (any case): in the library when
// the handle holds one and the library has the bitmap, decoding to the size
// and depth of the program's copy; else among the program's copies; empty
// when neither has it.
QString GlyphResourcePath(const GlyphbankHandle& glyphbank, const QString& name);

// The bitmap called name, looked up as GlyphResourcePath says; a null image
// when there is none.
QImage LoadGlyphBitmap(const GlyphbankHandle& glyphbank, const QString& name);

// The program's own drawing of the bitmap called name (any case) for a
// screen of `density` device pixels per pixel of the bitmap (only 2 is
// drawn: the two symbols the windows show and the four diagrams); a null
// image when there is none.
QImage LoadDenseGlyphBitmap(const QString& name, int density);
inline constexpr int DenseGlyphDensity = 2;

// The bitmap as ink on a transparent sheet: white paper becomes transparent,
// black and grey become the ink colour with the grey's coverage, and a
// coloured line keeps its colour (made lighter when the ink is light, as on
// a dark palette). Over white it looks exactly as the bitmap.
QImage InkedBitmap(const QImage& bitmap, const QColor& ink);
