#pragma once

// Qt's signal, slot and event machinery is not exception-safe, so every
// handler that can raise (a settings write, a strict integer conversion)
// runs inside this guard: an exception ends the handler and is shown in the
// standard error box, and the program goes on.

#include "widgets/Messageboxes.h"

#include <QString>

#include <exception>
#include <utility>

class QWidget;

// Returns false when the action raised.
template <class Action> bool RunGuarded(QWidget* parent, Action&& action) noexcept
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::exception& error) {
        MessageBoxes::ShowError(parent, QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBoxes::ShowError(parent, QString());
    }
    return false;
}
