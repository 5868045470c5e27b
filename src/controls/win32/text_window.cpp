#include "controls/win32/text_window.h"

#include "controls/win32/clipboard.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/window_text.h"

namespace qrv {

TTextWindow::TTextWindow(const TFormDesign& design, HINSTANCE instance, HWND owner)
    : TForm(design), instance_(instance), owner_(owner) {}

TTextWindow::~TTextWindow() {
    SetWindowAccelerators(Handle(), nullptr);
}

void TTextWindow::Open() {
    if (!Exists()) {
        CreateForm(instance_, owner_);
        // A multi-line field holds 32,767 characters unless told otherwise.
        SendMessageW(TextField(), EM_SETLIMITTEXT, 0, 0);
        ACCEL selectAll{FCONTROL | FVIRTKEY, 'A', ids::cmdSelectAll};
        accelerators_.reset(CreateAcceleratorTableW(&selectAll, 1));
        SetWindowAccelerators(Handle(), accelerators_.get());
    }
    Refresh();
    if (!IsWindowVisible(Handle())) {
        ShowWindow(Handle(), SW_SHOW);
        SetFocus(TextField());
    }
    SetForegroundWindow(Handle());
}

void TTextWindow::SetCaptions(const std::u16string& title, const std::u16string& label,
                              const std::u16string& copy, const std::u16string& putAway) {
    SetWindowTextOf(Handle(), title);
    SetWindowTextOf(Control(ids::lblText), label);
    SetWindowTextOf(Control(ids::btnCopy), copy);
    SetWindowTextOf(Control(ids::btnPutAway), putAway);
}

std::u16string TTextWindow::WholeText() const {
    return WindowText(TextField());
}

void TTextWindow::OnCommand(int control, unsigned notification) {
    switch (control) {
    case ids::btnPutAway:
    case IDCANCEL: // Escape
        OnClose();
        break;
    case ids::btnCopy:
        if (notification == BN_CLICKED) {
            CopyToClipboard(Handle(), WholeText());
        }
        break;
    case ids::cmdSelectAll:
        SetFocus(TextField());
        SendMessageW(TextField(), EM_SETSEL, 0, -1);
        break;
    default:
        OnOtherCommand(control);
        break;
    }
}

void TTextWindow::OnClose() {
    ShowWindow(Handle(), SW_HIDE); // it lives until the program ends
}

} // namespace qrv
