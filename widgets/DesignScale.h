#pragma once

// Every window is laid out in pixels for the design font (9 points at 96 dots
// per inch). A larger font makes every window grow in proportion: the scale
// is the line height of the window's font over that of the same family at the
// design size, never below 1, and exactly 1 at the design size, where the
// geometry stays the pixel layout as designed.
//
//   window font → DesignScale → ScaleLayout (every element, the window) and
//   Scaled(constant) for the pixel constants of a window's own layout steps

#include <QSize>
#include <QtGlobal>

class QFont;
class QWidget;

inline constexpr qreal DesignPointSize = 9;
inline constexpr int DesignPixelSize = 12;

qreal DesignScale(const QFont& font);

// A design pixel length at the scale, rounded to whole pixels.
inline int Scaled(int designPixels, qreal scale)
{
    return scale == 1 ? designPixels : qRound(designPixels * scale);
}
QSize Scaled(QSize designSize, qreal scale);

// Multiplies position and size of every element below the window that no
// layout manages, and gives every text label at least the room its text
// needs; the window's own size is the window's business. Nothing changes at
// scale 1.
void ScaleLayout(QWidget* window, qreal scale);

// A font set in design points or pixels, at the scale.
QFont ScaledFont(const QFont& font, qreal scale);
