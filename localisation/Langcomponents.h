#pragma once

#include <QAction>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <vector>

class QString;
class QTranslator;

// Which property of a registered window element takes its text.
enum TextKind : int8_t
{
    MenuCaption = 0, // QAction (text) or QMenu (title)
    FormCaption = 1, // a window: its title
    ButtonCaption = 2, // a button: its text
    ButtonHint = 3, // a button: its tooltip
    ToolButtonHint = 4, // a tool-bar button or its action: its tooltip
    LabelCaption = 5, // QLabel: its text
    LabelHint = 6 // QLabel: its tooltip
};

// Elements are held by guarded pointers: a window may go before the registry,
// and its elements are then skipped, never touched.
struct ComponentStruct
{
    QPointer<QObject> element;
    TextKind kind;
    int32_t number;
};

struct MenuStruct
{
    QPointer<QAction> item;
    int32_t number;
};

// Sets the text on the element as the kind says. An element of another class
// than the kind names, and a kind outside 0 to 6, take nothing.
void ApplyText(QObject* element, TextKind kind, const QString& text);

// The translation registry: the window elements whose texts follow the
// language, each with its text number, in the order of registration. The
// registry does not own them.
class langComponents
{
public:
    void AddComponent(QObject* element, TextKind kind, int32_t number);
    void AddMenuItem(QAction* item, int32_t number);

    // Every element, then every menu item, in registration order, takes its
    // text from the language file; a number the file lacks sets an empty text.
    void TranslateAll(const QTranslator& languageFile) const;

    const std::vector<ComponentStruct>& Components() const { return components_; }
    const std::vector<MenuStruct>& MenuItems() const { return menuItems_; }

private:
    std::vector<ComponentStruct> components_;
    std::vector<MenuStruct> menuItems_;
};
