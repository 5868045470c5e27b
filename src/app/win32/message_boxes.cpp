#include "app/win32/message_boxes.h"

#include "app/win32/application_window.h"
#include "platform/utf.h"

#include <windows.h>

namespace qrv {

namespace {

HWND ActiveOwner() {
    const HWND active = GetActiveWindow();
    return active != nullptr ? active : ApplicationWindow().Handle();
}

void Show(const std::u16string& text, UINT flags) {
    const std::u16string title = ApplicationWindow().TitleWide();
    MessageBoxW(ActiveOwner(), reinterpret_cast<const wchar_t*>(text.c_str()),
                reinterpret_cast<const wchar_t*>(title.c_str()), flags);
}

} // namespace

void ShowMessage(const std::u16string& text) {
    Show(text, MB_OK);
}

void ShowGeneralErrorReport(const std::exception& error) {
    Show(Utf8ToUtf16(error.what()), MB_OK | MB_ICONSTOP);
}

} // namespace qrv
