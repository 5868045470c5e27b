#pragma once
// The program's shell as Windows provides it: the message pump, the tick count, Sleep and the
// quit request.

#include "platform/program_shell.h"

namespace qrv {

class TWindowsShell final : public TProgramShell {
public:
    void Pump() override;
    void Sleep(int milliseconds) override;
    int64_t NowInMilliseconds() override;
    void RequestTerminate() override;
};

} // namespace qrv
