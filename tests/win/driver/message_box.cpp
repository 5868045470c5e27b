#include "driver/message_box.h"

#include "driver/error.h"
#include "driver/text.h"
#include "driver/top_level.h"

namespace qrv::drive {

namespace {

const WindowFilter kDialogs{.className = L"#32770"};

// A dialog whose controls are only labels and buttons, one label with the ID 0xFFFF. Labels of
// other dialogs may carry that ID too (IDC_STATIC), but those dialogs have other controls.
bool IsMessageBox(const Window& dialog) {
    bool hasText = false;
    bool hasButton = false;
    for (const Window& child : dialog.Children()) {
        const std::wstring className = child.ClassName();
        if (CompareStringOrdinal(className.c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL) {
            hasButton = true;
        } else if (CompareStringOrdinal(className.c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL) {
            hasText = hasText || child.Id() == kMessageBoxTextId;
        } else {
            return false;
        }
    }
    return hasText && hasButton;
}

} // namespace

std::optional<MessageBoxWindow> MessageBoxWindow::Find(DWORD processId) {
    for (const Window& dialog : FindTopLevelWindows(processId, kDialogs)) {
        try {
            if (IsMessageBox(dialog)) {
                return MessageBoxWindow(dialog);
            }
        } catch (const DriverError&) {
            // Closed while it was read.
        }
    }
    return std::nullopt;
}

MessageBoxWindow MessageBoxWindow::WaitFor(DWORD processId, Milliseconds timeout) {
    return WaitForValue([&] { return Find(processId); }, timeout,
                        "a message box of process " + std::to_string(processId));
}

std::wstring MessageBoxWindow::Caption() const {
    return window_.Text();
}

std::wstring MessageBoxWindow::Message() const {
    return window_.Child(ControlQuery{.id = kMessageBoxTextId, .className = L"Static"}).Text();
}

std::vector<MessageBoxButton> MessageBoxWindow::Buttons() const {
    std::vector<MessageBoxButton> buttons;
    for (const Window& child : window_.Children()) {
        if (child.IsVisible() && CompareStringOrdinal(child.ClassName().c_str(), -1, L"Button", -1,
                                                      TRUE) == CSTR_EQUAL) {
            buttons.push_back({child.Id(), child.Text(), child});
        }
    }
    return buttons;
}

bool MessageBoxWindow::IsOpen() const {
    return window_.Exists() && window_.IsVisible();
}

void MessageBoxWindow::Press(int buttonId, Milliseconds timeout) const {
    for (const auto& button : Buttons()) {
        if (button.id == buttonId) {
            // What a click on the button sends; a posted message never waits for the program.
            window_.Post(WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button.window.Handle()));
            WaitUntil([&] { return !IsOpen(); }, timeout, "the message box to close");
            return;
        }
    }
    throw DriverError("The message box \"" + ToUtf8(Caption()) + "\" has no button with ID " +
                      std::to_string(buttonId));
}

void MessageBoxWindow::Press(const std::wstring& buttonText, Milliseconds timeout) const {
    for (const auto& button : Buttons()) {
        if (button.text == buttonText || WithoutMnemonics(button.text) == buttonText) {
            Press(button.id, timeout);
            return;
        }
    }
    throw DriverError("The message box \"" + ToUtf8(Caption()) + "\" has no button \"" +
                      ToUtf8(buttonText) + "\"");
}

} // namespace qrv::drive
