#include "widgets/Messageboxes.h"

#include "widgets/DialogFrame.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QShowEvent>

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

// Qt places a box only where a window manager helps; this one centres itself
// on its owner once its size is known.
class CentredMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (!event->spontaneous())
            CentreOnOwner(this, parentWidget());
    }
};

// Hands the keyboard back to the widget that had it when a platform
// activates the box although it was shown without activating (offscreen,
// some compositors). Only the activation that comes with the showing is
// undone: once the user has clicked into the box, it is theirs.
class KeyboardKeeper : public QObject
{
public:
    KeyboardKeeper(QWidget* box, QWidget* keyboard)
        : QObject(box)
        , keyboard_(keyboard)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            keyboard_ = nullptr;
        if (event->type() == QEvent::WindowActivate && keyboard_ != nullptr) {
            keyboard_->activateWindow();
            keyboard_->setFocus(Qt::ActiveWindowFocusReason);
            keyboard_ = nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> keyboard_;
};

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
    CreateBox(parent, box)->exec();
}

QMessageBox* ShowWithoutFocus(QWidget* parent, const Box& box)
{
    if (CurrentPresenter()) {
        CurrentPresenter()(parent, box);
        return nullptr;
    }
    QMessageBox* shown = CreateBox(parent, box).release();
    shown->setAttribute(Qt::WA_DeleteOnClose);
    shown->setAttribute(Qt::WA_ShowWithoutActivating);
    // Some platforms activate every window they show; this one refuses.
    shown->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    shown->setWindowModality(Qt::NonModal);
    if (QWidget* keyboard = QApplication::focusWidget())
        new KeyboardKeeper(shown, keyboard);
    shown->show();
    return shown;
}

std::unique_ptr<QMessageBox> CreateBox(QWidget* parent, const Box& box)
{
    auto messageBox = std::make_unique<CentredMessageBox>(
        ToQtIcon(box.icon), box.title, box.text, QMessageBox::Ok, OwnerOfBox(parent));
    // Messages carry paths and texts from files; none of them is markup.
    messageBox->setTextFormat(Qt::PlainText);
    return messageBox;
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
