#pragma once

#include <windows.h>

#include <string>

namespace qrv {

// The whole text of a window or control (empty for a null handle).
std::u16string WindowText(HWND window);
void SetWindowTextOf(HWND window, const std::u16string& text);

} // namespace qrv
