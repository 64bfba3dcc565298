#include "widgets/Messageboxes.h"

#include <QApplication>
#include <QMessageBox>

namespace MessageBoxes {
namespace {

Presenter& CurrentPresenter()
{
    static Presenter presenter;
    return presenter;
}

QMessageBox::Icon ToQtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Stop:
        break;
    }
    return QMessageBox::Critical;
}

} // namespace

void SetPresenter(Presenter presenter)
{
    CurrentPresenter() = std::move(presenter);
}

void Show(QWidget* parent, const Box& box)
{
    if (CurrentPresenter()) {
        CurrentPresenter()(parent, box);
        return;
    }
    QMessageBox messageBox(ToQtIcon(box.icon), box.title, box.text, QMessageBox::Ok, parent);
    // Messages carry paths and texts from files; none of them is markup.
    messageBox.setTextFormat(Qt::PlainText);
    messageBox.exec();
}

void ShowError(QWidget* parent, const QString& message)
{
    Show(parent, { QApplication::applicationName(), WithClosingPeriod(message), Icon::Stop });
}

QString WithClosingPeriod(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

} // namespace MessageBoxes
