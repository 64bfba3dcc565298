#include "widgets/ScrollingMenu.h"

#include <QApplication>
#include <QMenu>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {

class ScrollingMenuStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
        QStyleHintReturn* returnData) const override
    {
        if (hint == SH_Menu_Scrollable)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void LetMenuScroll(QMenu* menu)
{
    // A style of the application's kind of its own: the proxy owns the style
    // it wraps, and the menu owns the proxy.
    auto* style = new ScrollingMenuStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(menu);
    menu->setStyle(style);
}
