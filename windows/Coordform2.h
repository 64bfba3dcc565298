#pragma once

// The two-dimensional coordinate window. It holds its elements and its
// bitmaps; the Koord2D object bound to its fields does the evaluating,
// converting and displaying. The shell around it holds the dimension list,
// the "Datei" menu and the RAD/DEG group.

#include "widgets/CoordWindowShell.h"

class GlyphImage;
class Koord2D;

class TFormCoord2 : public CoordWindowShell
{
    Q_OBJECT

public:
    TFormCoord2(QWidget* owner, int& dimension, QObject* applicationWindow, globalObjects& globals);

    const Koord2D& Coordinates() const { return *koord2D_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LoadImages();

    QWidget* fieldsPanel_ = nullptr;
    GlyphImage* phiImage_ = nullptr;
    GlyphImage* coord2DImage_ = nullptr;
    Koord2D* koord2D_ = nullptr;
};
