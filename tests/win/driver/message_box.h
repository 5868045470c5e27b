#pragma once
// Message boxes of the program under test: a top-level dialog (class "#32770") of the process
// that holds only labels and buttons; its message is the Static control with the ID 0xFFFF, its
// buttons carry the IDs IDOK, IDCANCEL, IDYES, ... and their texts ("OK", "&Yes", ...).

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/wait.h"
#include "driver/window.h"

namespace qrv::drive {

inline constexpr int kMessageBoxTextId = 0xFFFF;

struct MessageBoxButton {
    int id;
    std::wstring text; // as shown, with its mnemonic mark ("&Yes")
    Window window;
};

class MessageBoxWindow {
public:
    explicit MessageBoxWindow(Window window) : window_(window) {}

    // The first visible message box of the process, if one is open.
    static std::optional<MessageBoxWindow> Find(DWORD processId);
    static MessageBoxWindow WaitFor(DWORD processId, Milliseconds timeout = kDefaultTimeout);

    const Window& GetWindow() const { return window_; }
    std::wstring Caption() const;
    std::wstring Message() const;
    std::vector<MessageBoxButton> Buttons() const;
    bool IsOpen() const; // Wine hides a finished box a while before it destroys it

    // Presses the button with this ID (IDOK, IDNO, ...) or this text ("OK", "Yes", "&Yes") and
    // waits until the box has closed.
    void Press(int buttonId, Milliseconds timeout = kDefaultTimeout) const;
    void Press(const std::wstring& buttonText, Milliseconds timeout = kDefaultTimeout) const;

private:
    Window window_;
};

} // namespace qrv::drive
