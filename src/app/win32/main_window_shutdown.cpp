// The program's shutdown: the main window's close handling.
#include "app/win32/main_window.h"

namespace qrv {

void TfrmExport::FormClose() {
    RunShutdown(*this, WindowData());
}

void TfrmExport::FormDestroy() {
    if (previousWndProc_ != nullptr) {
        SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWndProc_));
        previousWndProc_ = nullptr;
    }
}

} // namespace qrv
