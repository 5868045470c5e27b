#pragma once

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

namespace qrv {

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

} // namespace qrv
