#pragma once
// The DPI a window is laid out for, and the system calls that depend on it. Each top-level
// window of the program remembers the DPI it last laid itself out for; its controls draw at
// that DPI, so a window moved to a monitor of another scale changes as a whole.

#include "controls/win32/gdi.h"
#include "platform/control_place.h"
#include "platform/dpi_scale.h"

#include <windows.h>

#include <span>

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

// For a top-level window just created at the screen's DPI: records the window's own DPI, which
// per monitor may differ, and gives the window the size `sizeAt(dpi)` returns when it does.
template <typename SizeAt> unsigned TakeOwnDpi(HWND window, unsigned screenDpi, SizeAt sizeAt) {
    const unsigned dpi = SystemDpiOf(window);
    SetLayoutDpi(window, dpi);
    if (dpi != screenDpi) {
        const SIZE size = sizeAt(dpi);
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return dpi;
}

// A top-level window moved to a monitor of another scale (WM_DPICHANGED): records the new DPI,
// gives every control a font at it and takes the suggested rectangle. Returns the new font,
// which the window keeps in place of the old one: no control uses that any more.
TFont TakeNewDpi(HWND window, WPARAM wParam, LPARAM suggestedRect);

} // namespace qrv
