#include "app/win32/windows_shell.h"

#include "app/win32/documents_folder.h"
#include "controls/win32/message_boxes.h"
#include "platform/win32/message_pump.h"

#include <windows.h>

namespace qrv {

void TWindowsShell::Pump() {
    PumpMessages();
}

void TWindowsShell::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

double TWindowsShell::NowInDays() {
    return static_cast<double>(GetTickCount64()) / 86400000.0;
}

void TWindowsShell::RequestTerminate() {
    qrv::RequestTerminate();
}

std::string TWindowsShell::MyDocumentsFolder() {
    return GetMyDocumentsFolder();
}

void TWindowsShell::ShowMessageBox(const std::u16string& text) {
    ShowMessage(text);
}

void TWindowsShell::ReportError(const std::exception& error) {
    ShowGeneralErrorReport(error);
}

} // namespace qrv
