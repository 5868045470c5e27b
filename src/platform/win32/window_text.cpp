#include "platform/win32/window_text.h"

#include "platform/win32/wide.h"

namespace qrv {

std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(window, WideBuffer(text), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void SetWindowTextOf(HWND window, const std::u16string& text) {
    SetWindowTextW(window, Wide(text));
}

} // namespace qrv
