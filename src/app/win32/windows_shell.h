#pragma once
// The shell and the message boxes of the program, as Windows provides them.

#include "app/program_shell.h"
#include "app/win32/application_window.h"

namespace qrv {

class TWindowsShell final : public ProgramShell, public ProgramMessages {
public:
    explicit TWindowsShell(TApplicationWindow& application) : application_(application) {}

    void Pump() override;
    void Sleep(int milliseconds) override;
    double NowInDays() override;
    void RequestTerminate() override;
    std::string MyDocumentsFolder() override;
    void BringWindowsToFront() override;

    void ShowMessageBox(const std::u16string& text) override;
    void ReportError(const std::exception& error) override;

private:
    TApplicationWindow& application_;
};

} // namespace qrv
