#pragma once

#include <QFileInfo>
#include <QString>

// The folder of the glyph library as built, with the symbol files beside it.
inline QString GlyphbankFolder()
{
    return QFileInfo(QStringLiteral(TRALTO_GLYPHBANK_FILE)).absolutePath();
}
