#pragma once
// The program's message boxes and the guard around every event handler.

#include <windows.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

namespace qrv {

// The window that owns a box while no window of the program is active, and the title of
// every box; the application window sets both.
void SetMessageBoxOwner(HWND owner);
void SetMessageBoxTitle(const std::u16string& title);

// A plain message box with an OK button, captioned with the application title.
void ShowMessage(const std::u16string& text);
// The application's general error report: the exception's text in a message box.
void ShowGeneralErrorReport(const std::exception& error);

// Runs an event handler; an exception that leaves it is shown by the general error report
// and the program goes on.
template <typename Handler> void RunHandler(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ShowGeneralErrorReport(error);
    } catch (...) {
        ShowGeneralErrorReport(std::runtime_error("Unknown error."));
    }
}

// The window procedure of a control class, Handler with the guard around it: its answer, 0
// when it raised.
template <LRESULT (*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK GuardedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    RunHandler([&] { result = Handler(window, message, wParam, lParam); });
    return result;
}

} // namespace qrv
