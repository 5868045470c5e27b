#pragma once
// A check box (a button of style BS_AUTOCHECKBOX) as the windows use it.

#include <windows.h>

namespace qrv {

class TCheckBox {
public:
    explicit TCheckBox(HWND handle) : handle_(handle) {}

    bool Checked() const { return SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) {
        SendMessageW(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

private:
    HWND handle_;
};

} // namespace qrv
