#include "driver/message_box.h"

#include "driver/error.h"
#include "driver/text.h"
#include "driver/top_level.h"

namespace qrv::drive {

namespace {

const WindowFilter kDialogs{.class_name = L"#32770"};

// A dialog whose controls are only labels and buttons, one label with the ID 0xFFFF. Labels of
// other dialogs may carry that ID too (IDC_STATIC), but those dialogs have other controls.
bool IsMessageBox(const Window& dialog) {
    bool has_text = false;
    bool has_button = false;
    for (const Window& child : dialog.Children()) {
        const std::wstring class_name = child.ClassName();
        if (CompareStringOrdinal(class_name.c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL) {
            has_button = true;
        } else if (CompareStringOrdinal(class_name.c_str(), -1, L"Static", -1, TRUE) ==
                   CSTR_EQUAL) {
            has_text = has_text || child.Id() == kMessageBoxTextId;
        } else {
            return false;
        }
    }
    return has_text && has_button;
}

} // namespace

std::optional<MessageBoxWindow> MessageBoxWindow::Find(DWORD process_id) {
    for (const Window& dialog : FindTopLevelWindows(process_id, kDialogs)) {
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

MessageBoxWindow MessageBoxWindow::WaitFor(DWORD process_id, Milliseconds timeout) {
    return WaitForValue([&] { return Find(process_id); }, timeout,
                        "a message box of process " + std::to_string(process_id));
}

std::wstring MessageBoxWindow::Caption() const {
    return window_.Text();
}

std::wstring MessageBoxWindow::Message() const {
    return window_.Child(ControlQuery{.id = kMessageBoxTextId, .class_name = L"Static"}).Text();
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

void MessageBoxWindow::Press(int button_id, Milliseconds timeout) const {
    for (const auto& button : Buttons()) {
        if (button.id == button_id) {
            // What a click on the button sends; a posted message never waits for the program.
            window_.Post(WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button.window.Handle()));
            WaitUntil([&] { return !IsOpen(); }, timeout, "the message box to close");
            return;
        }
    }
    throw DriverError("The message box \"" + ToUtf8(Caption()) + "\" has no button with ID " +
                      std::to_string(button_id));
}

void MessageBoxWindow::Press(const std::wstring& button_text, Milliseconds timeout) const {
    for (const auto& button : Buttons()) {
        if (button.text == button_text || WithoutMnemonics(button.text) == button_text) {
            Press(button.id, timeout);
            return;
        }
    }
    throw DriverError("The message box \"" + ToUtf8(Caption()) + "\" has no button \"" +
                      ToUtf8(button_text) + "\"");
}

} // namespace qrv::drive
