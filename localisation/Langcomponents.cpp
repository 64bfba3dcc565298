#include "localisation/Langcomponents.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QString>
#include <QTextDocument>
#include <QWidget>

#include "localisation/Languagefiles.h"

namespace {

// A tooltip that looks like markup is drawn as rich text; a language text is
// shown as it is written, so such a text goes in escaped.
QString PlainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style='white-space:pre-wrap'>%1</p>").arg(text.toHtmlEscaped());
}

// Qt shows a tooltip whenever one is set, so "showing the hint" needs no
// switch of its own.
void SetHint(QObject* element, const QString& text)
{
    if (auto* widget = qobject_cast<QWidget*>(element))
        widget->setToolTip(PlainToolTip(text));
    else if (auto* action = qobject_cast<QAction*>(element))
        action->setToolTip(PlainToolTip(text));
}

// Elements that died since they were registered leave the lists, so that a
// window created and closed again and again does not grow them.
template <class Entries, class Member> void DropDeadEntries(Entries& entries, Member member)
{
    std::erase_if(entries, [member](const auto& entry) { return (entry.*member).isNull(); });
}

} // namespace

void ApplyText(QObject* element, TextKind kind, const QString& text)
{
    switch (kind) {
    case MenuCaption:
        if (auto* action = qobject_cast<QAction*>(element))
            action->setText(text);
        else if (auto* menu = qobject_cast<QMenu*>(element))
            menu->setTitle(text);
        break;
    case FormCaption:
        if (auto* window = qobject_cast<QWidget*>(element))
            window->setWindowTitle(text);
        break;
    case ButtonCaption:
        if (auto* button = qobject_cast<QAbstractButton*>(element))
            button->setText(text);
        break;
    case ButtonHint:
    case ToolButtonHint:
        SetHint(element, text);
        break;
    case LabelCaption:
        if (auto* label = qobject_cast<QLabel*>(element)) {
            // Language texts are never markup: "<img src=...>" shows as written.
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
        }
        break;
    case LabelHint:
        if (auto* label = qobject_cast<QLabel*>(element))
            label->setToolTip(PlainToolTip(text));
        break;
    }
}

void langComponents::AddComponent(QObject* element, TextKind kind, int32_t number)
{
    DropDeadEntries(components_, &ComponentStruct::element);
    components_.push_back({ element, kind, number });
}

void langComponents::AddMenuItem(QAction* item, int32_t number)
{
    DropDeadEntries(menuItems_, &MenuStruct::item);
    menuItems_.push_back({ item, number });
}

void langComponents::TranslateAll(const QTranslator& languageFile) const
{
    // Copies: setting a text can run code that registers further elements.
    const std::vector<ComponentStruct> components = components_;
    for (const ComponentStruct& entry : components) {
        if (entry.element)
            ApplyText(entry.element, entry.kind, LanguageFileText(&languageFile, entry.number));
    }
    const std::vector<MenuStruct> menuItems = menuItems_;
    for (const MenuStruct& entry : menuItems) {
        if (entry.item)
            entry.item->setText(LanguageFileText(&languageFile, entry.number));
    }
}
