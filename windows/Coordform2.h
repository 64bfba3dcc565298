#pragma once

// The two-dimensional coordinate window. It holds its elements, its bitmaps
// and the switch of dimension; the Koord2D object bound to its fields does
// the evaluating, converting and displaying.

#include "glyphs/Glyphlookup.h"

#include <QWidget>

class QComboBox;
class QLabel;
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
    QLabel* phiImage_ = nullptr;
    QLabel* coord2DImage_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    Koord2D* koord2D_ = nullptr;
};
