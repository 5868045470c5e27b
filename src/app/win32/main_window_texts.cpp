// The program texts on the main window: the captions and hints that the texts go into.
#include "app/main_window_ids.h"
#include "app/win32/main_window.h"
#include "framework/win32/mouse_state_button.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_text.h"

namespace qrv {

void TfrmExport::SetApplicationTitle(const std::string& title) {
    application_.SetTitle(title);
    SetWindowTextA(Handle(), application_.Title().c_str());
}

void TfrmExport::SetCaption(int control, const std::u16string& caption) {
    SetWindowTextOf(Control(control), caption);
}

void TfrmExport::SetStartingPanelCaption(const std::string& caption) {
    SetWindowTextA(Control(ids::pnlStartingPDataMgr), caption.c_str());
}

void TfrmExport::SetHint(int control, const std::u16string& hint) {
    const bool known = hints_.contains(control);
    hints_[control] = hint;
    if (known || tooltip_ == nullptr) {
        return;
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(control));
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::u16string TfrmExport::Hint(int control) const {
    const auto it = hints_.find(control);
    return it == hints_.end() ? std::u16string() : it->second;
}

void TfrmExport::ShowHint(NMTTDISPINFOW* request) const {
    const auto control = reinterpret_cast<HWND>(request->hdr.idFrom);
    const auto it = hints_.find(GetDlgCtrlID(control));
    request->lpszText = it == hints_.end() ? nullptr : const_cast<wchar_t*>(Wide(it->second));
}

void TfrmExport::SetExportButtonLabel(const std::u16string& label) {
    TxQRV3MouseStateButton(Control(ids::btnExport)).Set_LabelCaption(label);
}

} // namespace qrv
