#pragma once

#include "AppError.h"
#include "Messages.h"

#include <QCoreApplication>
#include <exception>
#include <new>

namespace snapdeck {

// A handler's error trap: runs the body; an error it raises ends the body at that
// step and is shown in the error message box. Nothing escapes into Qt's event loop.
// Returns true when the body ran to its end.
template <typename Body> bool runTrapped(MessagePresenter& messages, Body&& body) {
    try {
        body();
        return true;
    } catch (const AppError& error) {
        showError(messages, error);
    } catch (const std::bad_alloc&) {
        showError(messages,
                  AppError(ErrorNumber::OutOfMemory, kAppErrorSource,
                           QCoreApplication::translate("ErrorTrap", "Недостаточно памяти")));
    } catch (const std::exception& error) {
        showError(messages, AppError(ErrorNumber::FileAccess, kAppErrorSource,
                                     QString::fromLocal8Bit(error.what())));
    }
    return false;
}

} // namespace snapdeck
