#pragma once
// What long work needs of the system to keep the program's windows alive: handling the window
// messages that wait, the clock, sleeping and the end of the program. One shell serves the
// start-up, the CAD start, the export run and the unloading of the library; the Windows
// build's is TWindowsShell (platform/win32/windows_shell.h), tests record theirs.

#include <cstdint>

namespace qrv {

class TProgramShell {
public:
    virtual ~TProgramShell() = default;
    // Handles the window messages that wait, then returns.
    virtual void Pump() = 0;
    virtual void Sleep(int milliseconds) = 0;
    // The time in milliseconds since an arbitrary moment; it never goes back.
    virtual int64_t NowInMilliseconds() = 0;
    // The program ends once control returns to the message loop.
    virtual void RequestTerminate() = 0;
};

} // namespace qrv
