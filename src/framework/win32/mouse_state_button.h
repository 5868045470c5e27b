#pragma once
// TxQRV3MouseStateButton: a push button drawn from four pictures (normal, hover, pressed,
// disabled; 100 by 28 pixels) with its caption drawn on top as a label. The label sits at
// 4,4 in the normal state, 6,6 on hover and 8,8 when pressed. These are pixels at 96 DPI; the
// button and its pictures are drawn at its window's DPI (controls/win32/window_dpi.h), with
// sizes and offsets scaled. In high contrast it is drawn plainly in the theme's button colours
// with a border instead. No accelerator characters; the focus rectangle only while the
// keyboard is in use (controls/win32/focus_cue.h). A click is reported to the parent as
// WM_COMMAND/BN_CLICKED, BM_CLICK clicks it and BM_GETSTATE tells its state as for a standard
// button. A screen reader finds a push button named by the caption
// (controls/win32/push_button_accessible.h) and hears of its enabling, pressing and captions.

#include <windows.h>

#include <string>

namespace qrv {

inline constexpr wchar_t kMouseStateButtonClass[] = L"TxQRV3MouseStateButton";
// The size at 96 DPI.
inline constexpr int kMouseStateButtonWidth = 100;
inline constexpr int kMouseStateButtonHeight = 28;

void RegisterMouseStateButtonClass(HINSTANCE instance);

// The control as the program uses it.
class TxQRV3MouseStateButton {
public:
    TxQRV3MouseStateButton() = default;
    explicit TxQRV3MouseStateButton(HWND handle) : handle_(handle) {}

    void Set_LabelCaption(const std::u16string& caption);
    std::u16string LabelCaption() const;
    void SetEnabled(bool enabled);
    bool Enabled() const;
    HWND Handle() const { return handle_; }

private:
    HWND handle_ = nullptr;
};

} // namespace qrv
