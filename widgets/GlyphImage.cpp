#include "widgets/GlyphImage.h"

#include <QEvent>
#include <QPixmap>

#include <cmath>

GlyphImage::GlyphImage(QWidget* parent)
    : QLabel(parent)
{
}

void GlyphImage::ShowGlyph(const GlyphbankHandle& glyphbank, const QString& name, bool fitPicture)
{
    glyphbank_ = glyphbank;
    name_ = name;
    fitPicture_ = fitPicture;
    Render();
}

void GlyphImage::SetDesignScale(qreal scale)
{
    if (scale == designScale_)
        return;
    designScale_ = scale;
    if (!name_.isEmpty())
        Render();
}

bool GlyphImage::event(QEvent* event)
{
    const bool handled = QLabel::event(event);
    switch (event->type()) {
    case QEvent::PaletteChange:
        if (!name_.isEmpty())
            Render();
        break;
    case QEvent::Show:
    case QEvent::ScreenChangeInternal:
        if (!name_.isEmpty() && devicePixelRatioF() != renderedRatio_)
            Render();
        break;
    default:
        break;
    }
    return handled;
}

void GlyphImage::Render()
{
    const QImage plain = LoadGlyphBitmap(glyphbank_, name_);
    renderedRatio_ = devicePixelRatioF();
    if (plain.isNull()) {
        sourceDensity_ = 0;
        setPixmap(QPixmap());
        return;
    }
    // Device pixels per pixel of the plain bitmap.
    const qreal density = renderedRatio_ * designScale_;
    const QColor ink = palette().color(foregroundRole());
    QImage picture;
    if (density == 1) {
        sourceDensity_ = 1;
        picture = InkedBitmap(plain, ink);
    } else {
        const QImage dense
            = density > 1 ? LoadDenseGlyphBitmap(name_, DenseGlyphDensity) : QImage();
        sourceDensity_ = dense.isNull() ? 1 : DenseGlyphDensity;
        const QSize deviceSize(qRound(plain.width() * density), qRound(plain.height() * density));
        picture = InkedBitmap(dense.isNull() ? plain : dense, ink);
        if (picture.size() != deviceSize)
            picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                          .scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(renderedRatio_);
    setPixmap(pixmap);
    if (fitPicture_)
        adjustSize();
}
