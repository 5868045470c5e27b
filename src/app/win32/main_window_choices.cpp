// The user's choices on the main window: formats, subfolder order, zip box, destination and
// the folder dialog, and the Export button rule.
#include "app/main_window_ids.h"
#include "app/win32/main_window.h"
#include "controls/win32/check_box.h"
#include "export/dialog_start_folder.h"
#include "export/win32/folder_dialog.h"
#include "framework/win32/mouse_state_button.h"
#include "platform/win32/window_text.h"
#include "settings/wide_trim.h"

namespace qrv {

std::u16string TfrmExport::Destination() const {
    return WindowText(Control(ids::BrowseDestination));
}

void TfrmExport::SetDestination(const std::u16string& destination) {
    SetWindowTextOf(Control(ids::BrowseDestination), destination);
}

bool TfrmExport::CreateZip() const {
    return TCheckBox(Control(ids::cbCreateZip)).Checked();
}

void TfrmExport::SetCreateZip(bool createZip) {
    TCheckBox(Control(ids::cbCreateZip)).SetChecked(createZip);
}

void TfrmExport::UpdateExportButton() {
    TxQRV3MouseStateButton(Control(ids::btnExport)).SetEnabled(session_->ExportAllowed());
}

void TfrmExport::BrowseDestinationChange() {
    UpdateExportButton();
}

void TfrmExport::SubDirListBoxMouseUp() {
    const BOOL enabled = session_->choices.MoveButtonsEnabled() ? TRUE : FALSE;
    EnableWindow(Control(ids::btnMoveUp), enabled);
    EnableWindow(Control(ids::btnMoveDown), enabled);
}

void TfrmExport::btnMoveUpClick() {
    session_->choices.MoveSelectedUp();
}

void TfrmExport::btnMoveDownClick() {
    session_->choices.MoveSelectedDown();
}

void TfrmExport::btnBrowseClick() {
    TxQRV3MouseStateButton(Control(ids::btnExport)).SetEnabled(false);
    const std::u16string chosen = BrowseForFolder(
        shellLibrary_, Handle(), u"", DialogStartFolder(Destination()), /*allowNewFolder=*/true);
    const std::u16string trimmed(WideTrim(chosen));
    if (!trimmed.empty()) {
        SetDestination(trimmed);
    }
    UpdateExportButton();
}

} // namespace qrv
