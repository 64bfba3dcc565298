#include "tests/layout/LayoutCheck.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTextDocument>

#include <cmath>

namespace {

QString NameOf(const QWidget* widget)
{
    const QString name = widget->objectName();
    return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name;
}

QString Describe(const QRect& rect)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

// The text as shown on a button: "&" marks the key, "&&" shows one "&".
QString ShownText(QString text)
{
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// Width and height of text in the widget's font, line by line, rounded up.
QSize TextSize(const QWidget* widget, const QString& text)
{
    const QFontMetricsF metrics(widget->font());
    qreal width = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSize(int(std::ceil(width)), int(std::ceil(metrics.height() * lines.size())));
}

void CheckFits(QStringList& problems, const QWidget* widget, const QString& what,
    const QSize& needed, const QRect& room)
{
    if (needed.width() > room.width() || needed.height() > room.height())
        problems << QStringLiteral("%1: %2 needs %3x%4, has %5x%6")
                        .arg(NameOf(widget), what)
                        .arg(needed.width())
                        .arg(needed.height())
                        .arg(room.width())
                        .arg(room.height());
}

void CheckLabel(QStringList& problems, const QLabel* label)
{
    if (label->text().isEmpty())
        return;
    QString text = label->text();
    const bool rich = label->textFormat() == Qt::RichText
        || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich) {
        QTextDocument document;
        document.setDefaultFont(label->font());
        document.setHtml(text);
        text = document.toPlainText();
    }
    const int margin = label->margin();
    const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    if (label->wordWrap()) {
        const int needed = label->heightForWidth(label->width());
        if (needed > label->height())
            problems << QStringLiteral("%1: wrapped text needs height %2, has %3")
                            .arg(NameOf(label))
                            .arg(needed)
                            .arg(label->height());
        return;
    }
    CheckFits(
        problems, label, QStringLiteral("text \"%1\"").arg(text), TextSize(label, text), room);
}

void CheckButton(QStringList& problems, const QAbstractButton* button)
{
    const QString text = ShownText(button->text());
    if (text.isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QRadioButton*>(button) != nullptr)
        contents = QStyle::SE_RadioButtonContents;
    else if (qobject_cast<const QPushButton*>(button) == nullptr)
        contents = QStyle::SE_CheckBoxContents;
    const QRect room = button->style()->subElementRect(contents, &option, button);
    CheckFits(
        problems, button, QStringLiteral("text \"%1\"").arg(text), TextSize(button, text), room);
}

void CheckGroupTitle(QStringList& problems, const QGroupBox* group)
{
    if (group->title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect title = group->style()->subControlRect(
        QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    if (!group->rect().contains(title))
        problems << QStringLiteral("%1: title \"%2\" at %3 does not fit the group %4")
                        .arg(NameOf(group), group->title(), Describe(title),
                            Describe(group->rect()));
}

void CheckList(QStringList& problems, const QComboBox* list)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    const QRect field = list->style()->subControlRect(
        QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    for (int item = 0; item < list->count(); ++item)
        CheckFits(problems, list, QStringLiteral("item \"%1\"").arg(list->itemText(item)),
            TextSize(list, list->itemText(item)), field);
}

void CheckField(QStringList& problems, const QLineEdit* field)
{
    // A line of text inside the field's frame and margins.
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->hasFrame()
        ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field)
        : 0;
    const QMargins margins = field->textMargins();
    const QRect room = field->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, field)
                           .marginsRemoved(margins);
    const int needed = int(std::ceil(QFontMetricsF(field->font()).height()));
    if (room.height() < needed)
        problems << QStringLiteral("%1: a line of text needs height %2, has %3")
                        .arg(NameOf(field))
                        .arg(needed)
                        .arg(room.height());
}

// The elements a user sees directly inside parent: visible, part of the
// same window (no pop-ups or separate windows).
QList<const QWidget*> ShownChildren(const QWidget* parent)
{
    QList<const QWidget*> children;
    for (const QObject* object : parent->children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (child != nullptr && !child->isWindow() && child->isVisibleTo(parent)
            && !child->geometry().isEmpty())
            children << child;
    }
    return children;
}

// Whether the element is the view of a scroll area, whose content may be
// larger than the view and lie partly outside the window: it scrolls.
bool IsScrolledView(const QWidget* element)
{
    const auto* area = qobject_cast<const QAbstractScrollArea*>(element->parentWidget());
    return area != nullptr && area->viewport() == element;
}

void CheckElement(
    QStringList& problems, const QWidget* window, const QWidget* element, bool scrolled = false)
{
    if (const auto* label = qobject_cast<const QLabel*>(element))
        CheckLabel(problems, label);
    else if (const auto* button = qobject_cast<const QAbstractButton*>(element))
        CheckButton(problems, button);
    else if (const auto* group = qobject_cast<const QGroupBox*>(element))
        CheckGroupTitle(problems, group);
    else if (const auto* list = qobject_cast<const QComboBox*>(element))
        CheckList(problems, list);
    else if (const auto* field = qobject_cast<const QLineEdit*>(element))
        CheckField(problems, field);

    const QList<const QWidget*> children = ShownChildren(element);
    const bool view = IsScrolledView(element);
    scrolled = scrolled || view;
    for (qsizetype i = 0; i < children.size(); ++i) {
        const QWidget* child = children[i];
        if (!view && !element->rect().contains(child->geometry()))
            problems << QStringLiteral("%1 at %2 reaches out of %3 (%4)")
                            .arg(NameOf(child), Describe(child->geometry()), NameOf(element),
                                Describe(element->rect()));
        const QRect inWindow(child->mapTo(window, QPoint()), child->size());
        if (!scrolled && !window->rect().contains(inWindow))
            problems << QStringLiteral("%1 at %2 lies outside the window (%3)")
                            .arg(NameOf(child), Describe(inWindow), Describe(window->rect()));
        for (qsizetype j = i + 1; j < children.size(); ++j) {
            if (child->geometry().intersects(children[j]->geometry()))
                problems << QStringLiteral("%1 at %2 overlaps %3 at %4")
                                .arg(NameOf(child), Describe(child->geometry()),
                                    NameOf(children[j]), Describe(children[j]->geometry()));
        }
        CheckElement(problems, window, child, scrolled);
    }
}

} // namespace

QStringList LayoutProblems(const QWidget* window)
{
    QStringList problems;
    CheckElement(problems, window, window);
    return problems;
}
