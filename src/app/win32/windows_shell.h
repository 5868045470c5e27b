#pragma once
// The shell and the message boxes of the program, as Windows provides them.

#include "app/program_shell.h"

namespace qrv {

class TWindowsShell final : public TProgramShell, public TProgramMessages {
public:
    void Pump() override;
    void Sleep(int milliseconds) override;
    double NowInDays() override;
    void RequestTerminate() override;
    std::string MyDocumentsFolder() override;

    void ShowMessageBox(const std::u16string& text) override;
    void ReportError(const std::exception& error) override;
};

} // namespace qrv
