#pragma once

// The two-dimensional coordinate window. It holds its elements, its bitmaps
// and the switch of dimension; the Koord2D object bound to its fields does
// the evaluating, converting and displaying.

#include "glyphs/Glyphlookup.h"

#include <QWidget>

class GlyphImage;
class QComboBox;
class QMenu;
class Koord2D;
class RadioGroup;
class globalObjects;

class TFormCoord2 : public QWidget
{
    Q_OBJECT

public:
    TFormCoord2(QWidget* owner, int& dimension, QObject* applicationWindow, globalObjects& globals);

    QMenu* FileMenu() const { return fileMenu_; }
    const Koord2D& Coordinates() const { return *koord2D_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void Dim_ComboBoxChange(int index);
    void ExitProgram();

    int& dimension_;
    QObject* applicationWindow_;
    globalObjects& globals_;
    GlyphbankHandle glyphbank_;
    QComboBox* dimComboBox_ = nullptr;
    QWidget* panel1_ = nullptr;
    QWidget* fieldsPanel_ = nullptr;
    GlyphImage* phiImage_ = nullptr;
    GlyphImage* coord2DImage_ = nullptr;
    // The window's pixel layout grows with its font (1 at the design font).
    qreal scale_ = 1;
    QMenu* fileMenu_ = nullptr;
    Koord2D* koord2D_ = nullptr;
};
