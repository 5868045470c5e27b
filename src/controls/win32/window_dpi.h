#pragma once
// The DPI a window is laid out for, and the system calls that depend on it. Each top-level
// window of the program remembers the DPI it last laid itself out for; its controls draw at
// that DPI, so a window moved to a monitor of another scale changes as a whole.

#include "platform/dpi_scale.h"

#include <windows.h>

namespace qrv {

// What the system says a window's DPI is: GetDpiForWindow where the system has it (Windows 10
// 1607 on), else the screen's LOGPIXELSY.
unsigned SystemDpiOf(HWND window);

// The DPI the window's top-level window was last laid out for, or the system's answer when
// it has not been laid out yet.
unsigned WindowDpi(HWND window);

// Records the DPI a top-level window lays itself out for; forgotten when the window goes.
void SetLayoutDpi(HWND topLevel, unsigned dpi);
void ForgetLayoutDpi(HWND topLevel);

// The outer size of a window of this style whose client area has the given size at the DPI
// (its caption bar and frame as the system draws them there).
SIZE OuterSizeForDpi(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, unsigned dpi);

// Moves a control to its place of the design, scaled to the DPI.
void PlaceAtDpi(HWND control, const TDesignRect& design, unsigned dpi);

// The new DPI a WM_DPICHANGED message carries.
inline unsigned DpiOfDpiChanged(WPARAM wParam) {
    return HIWORD(wParam);
}

// Takes the rectangle a WM_DPICHANGED message suggests.
void TakeSuggestedRect(HWND window, LPARAM lParam);

} // namespace qrv
