#include "widgets/DesignScale.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QWidget>

#include <algorithm>

qreal DesignScale(const QFont& font)
{
    QFont design = font;
    if (font.pointSizeF() > 0)
        design.setPointSizeF(DesignPointSize);
    else
        design.setPixelSize(DesignPixelSize);
    const qreal ratio = QFontMetricsF(font).height() / QFontMetricsF(design).height();
    return std::max<qreal>(1, ratio);
}

namespace {

bool ManagedByLayout(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    return parent != nullptr && parent->layout() != nullptr
        && parent->layout()->indexOf(widget) >= 0;
}

QRect ScaledRect(const QRect& rect, qreal scale)
{
    // Edges, not sizes, are rounded, so that elements that touch at design
    // size still touch.
    const int left = qRound(rect.left() * scale);
    const int top = qRound(rect.top() * scale);
    const int right = qRound((rect.x() + rect.width()) * scale);
    const int bottom = qRound((rect.y() + rect.height()) * scale);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

void ScaleLayout(QWidget* window, qreal scale)
{
    if (scale == 1)
        return;
    for (QWidget* element : window->findChildren<QWidget*>()) {
        if (element->isWindow() || ManagedByLayout(element))
            continue;
        auto* label = qobject_cast<QLabel*>(element);
        const bool text = label != nullptr && !label->text().isEmpty() && !label->wordWrap();
        // A label sized to its text was sized at the window's font already:
        // it keeps that size, and grows only where its room was designed.
        const QSize needed = text ? label->sizeHint() : QSize();
        const bool fittedWidth = text && label->width() == needed.width();
        const bool fittedHeight = text && label->height() == needed.height();
        element->setGeometry(ScaledRect(element->geometry(), scale));
        if (text) {
            label->resize(fittedWidth ? needed.width() : std::max(label->width(), needed.width()),
                fittedHeight ? needed.height() : std::max(label->height(), needed.height()));
        }
    }
}

QSize Scaled(QSize designSize, qreal scale)
{
    return QSize(Scaled(designSize.width(), scale), Scaled(designSize.height(), scale));
}

QFont ScaledFont(const QFont& font, qreal scale)
{
    QFont scaled = font;
    if (scale == 1)
        return scaled;
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * scale);
    else
        scaled.setPixelSize(qRound(font.pixelSize() * scale));
    return scaled;
}
