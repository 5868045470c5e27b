#pragma once
// Whether a control that has the focus shows a focus rectangle.

#include <windows.h>

namespace qrv {

// True while the control has the focus, its window's UI state lets focus cues show
// (WM_QUERYUISTATE) and the keyboard is in use: the program's last key press or click was a
// key press, the rule by which the dialog manager sets a new dialog's cues (UIS_INITIALIZE).
// So a button that gets the focus without a click (a dialog's button when the dialog opens)
// shows none to a mouse user, and shows it as soon as the keyboard moves or presses it.
bool ShowsFocusCue(HWND control);

} // namespace qrv
