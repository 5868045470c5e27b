#pragma once
// A progress bar control as the windows use it.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

namespace qrv {

class TProgressBar {
public:
    explicit TProgressBar(HWND handle) : handle_(handle) {}

    void SetRange(int32_t minimum, int32_t maximum) {
        SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    }
    void SetPosition(int32_t position) {
        SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    void Show(bool shown) { ShowWindow(handle_, shown ? SW_SHOW : SW_HIDE); }

private:
    HWND handle_;
};

} // namespace qrv
