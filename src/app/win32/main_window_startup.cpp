// The program's start-up sequence: the main window's creation, and what the sequence needs of
// Windows.
#include "app/main_window_ids.h"
#include "app/win32/application_window.h"
#include "app/win32/documents_folder.h"
#include "app/win32/main_window.h"
#include "controls/win32/message_boxes.h"
#include "platform/win32/message_pump.h"

namespace qrv {

void TfrmExport::FormCreate() {
    RunStartUpSequence(*this, WindowData());
}

MainWindowData TfrmExport::WindowData() {
    return {texts_, keptTexts_, basket_, choices_, startTimeout_};
}

void TfrmExport::InstallRestoreProcedure() {
    RestoreMessage() = RegisterWindowMessageA(kRestoreMessageName);
    previousWndProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TfrmExport::RestoreWindowProc)));
}

EnvironmentSnapshot TfrmExport::CaptureEnvironment() {
    return EnvironmentSnapshot::Capture();
}

std::string TfrmExport::MyDocumentsFolder() {
    return GetMyDocumentsFolder();
}

void TfrmExport::ShowMainWindow() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TfrmExport::ShowMessageBox(const std::u16string& text) {
    qrv::ShowMessage(text);
}

void TfrmExport::ReportError(const std::exception& error) {
    qrv::ShowGeneralErrorReport(error);
}

void TfrmExport::ShowStartingPanel() {
    ShowWindow(Control(ids::pnlProgramControls), SW_HIDE);
    ShowWindow(Control(ids::pnlStartingPDataMgr), SW_SHOW);
}

void TfrmExport::ShowProgramControls() {
    ShowWindow(Control(ids::pnlProgramControls), SW_SHOW);
    ShowWindow(Control(ids::pnlStartingPDataMgr), SW_HIDE);
}

void TfrmExport::Pump() {
    PumpMessages();
}

void TfrmExport::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

double TfrmExport::NowInDays() {
    return static_cast<double>(GetTickCount64()) / 86400000.0;
}

void TfrmExport::RequestTerminate() {
    qrv::RequestTerminate();
}

} // namespace qrv
