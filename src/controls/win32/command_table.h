#pragma once
// A window's commands as a table: one line per control and notification, naming the
// handler, instead of a switch over controls with a test of the notification in each case.

#include <cstddef>

namespace qrv {

template <typename Window> struct TCommandHandler {
    int control;
    unsigned notification;
    void (Window::*handler)();
};

// Calls the handler of the command the window received in WM_COMMAND; false when the table
// has none for it.
template <typename Window, size_t N>
bool DispatchCommand(Window& window, const TCommandHandler<Window> (&table)[N], int control,
                     unsigned notification) {
    for (const TCommandHandler<Window>& entry : table) {
        if (entry.control == control && entry.notification == notification) {
            (window.*entry.handler)();
            return true;
        }
    }
    return false;
}

} // namespace qrv
