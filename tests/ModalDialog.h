#pragma once

// Drives a modal dialog from inside its own event loop: `show` opens the
// dialog and blocks until it closes (ShowLanguageDialog, ShowInfoDialog), and
// `drive` gets the dialog as soon as it is on screen. A dialog that `drive`
// leaves open is rejected afterwards, and one that never comes up is given up
// after a while, so a failing test never hangs the run.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>

struct ModalRun
{
    bool shown = false; // the dialog came up
    bool leftOpen = false; // still open when the driver returned
};

template <class Dialog>
ModalRun DriveModalDialog(
    const std::function<void()>& show, const std::function<void(Dialog& dialog)>& drive)
{
    constexpr int PollMilliseconds = 10;
    constexpr int GiveUpAfterPolls = 1000;

    ModalRun run;
    int polls = 0;
    QTimer poll;
    poll.setInterval(PollMilliseconds);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (dialog == nullptr || !dialog->isVisible()) {
            // Something else holds the screen, or nothing came up: end it.
            if (++polls >= GiveUpAfterPolls) {
                poll.stop();
                if (modal != nullptr)
                    modal->close();
            }
            return;
        }
        poll.stop();
        run.shown = true;
        const QPointer<Dialog> guard(dialog);
        drive(*dialog);
        if (guard && guard->isVisible()) {
            run.leftOpen = true;
            guard->reject();
        }
    });
    poll.start();
    show();
    return run;
}
