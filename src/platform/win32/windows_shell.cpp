#include "platform/win32/windows_shell.h"

#include "platform/win32/message_pump.h"

#include <windows.h>

namespace qrv {

void TWindowsShell::Pump() {
    PumpMessages();
}

void TWindowsShell::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

int64_t TWindowsShell::NowInMilliseconds() {
    return static_cast<int64_t>(GetTickCount64());
}

void TWindowsShell::RequestTerminate() {
    qrv::RequestTerminate();
}

} // namespace qrv
