#include "controls/win32/message_boxes.h"

#include "platform/utf.h"
#include "platform/win32/wide.h"

#include <windows.h>

namespace qrv {

namespace {

struct TMessageBoxSetting {
    HWND owner = nullptr;
    std::u16string title;
};

TMessageBoxSetting& Setting() {
    static TMessageBoxSetting setting;
    return setting;
}

HWND ActiveOwner() {
    const HWND active = GetActiveWindow();
    return active != nullptr ? active : Setting().owner;
}

void Show(const std::u16string& text, UINT flags) {
    // A copy: a handler running inside the box may set another title.
    const std::u16string title = Setting().title;
    MessageBoxW(ActiveOwner(), Wide(text), Wide(title), flags);
}

} // namespace

void SetMessageBoxOwner(HWND owner) {
    Setting().owner = owner;
}

void SetMessageBoxTitle(const std::u16string& title) {
    Setting().title = title;
}

void ShowMessage(const std::u16string& text) {
    Show(text, MB_OK);
}

void ShowGeneralErrorReport(const std::exception& error) {
    Show(Utf8ToUtf16(error.what()), MB_OK | MB_ICONSTOP);
}

} // namespace qrv
