// The export run on the main window: the Export button, the progress bar and text, and the
// double-click that brings up the progress dialog.
#include "app/main_window_ids.h"
#include "app/win32/main_window.h"
#include "controls/win32/progress_bar.h"
#include "export/win32/error_window.h"
#include "export/win32/export_details.h"
#include "framework/win32/mouse_state_button.h"
#include "platform/win32/window_text.h"

namespace qrv {

void TfrmExport::AttachRunWindows(TfrmExportDetails& details, TfrmError& errors) {
    details_ = &details;
    errors_ = &errors;
    application_.AddProgramWindow(errors.Handle());
    application_.AddProgramWindow(details.Handle());
}

void TfrmExport::btnExportClick() {
    if (details_ == nullptr || errors_ == nullptr) {
        return;
    }
    RunExportOnce(*session_, *this, *details_, *errors_, application_.TaskbarButton());
}

void TfrmExport::ProgressLabelDblClick() {
    if (details_ != nullptr) {
        details_->BringUp();
    }
}

void TfrmExport::SetProgressText(const std::u16string& text) {
    SetWindowTextOf(Control(ids::ProgressLabel), text);
}

void TfrmExport::HideExportButton() {
    const HWND button = Control(ids::btnExport);
    ShowWindow(button, SW_HIDE);
    TxQRV3MouseStateButton(button).SetEnabled(false);
}

void TfrmExport::ShowProgressBar(int32_t maximum) {
    TProgressBar bar(Control(ids::pgBar));
    bar.SetRange(0, maximum);
    bar.SetPosition(0);
    bar.Show(true);
}

void TfrmExport::SetProgressPosition(int32_t position) {
    TProgressBar(Control(ids::pgBar)).SetPosition(position);
}

void TfrmExport::HideProgressBar() {
    TProgressBar(Control(ids::pgBar)).Show(false);
}

void TfrmExport::BringWindowsToFront() {
    application_.BringProgramWindowsToFront();
}

} // namespace qrv
