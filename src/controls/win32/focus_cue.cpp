#include "controls/win32/focus_cue.h"

#include "platform/win32/message_pump.h"

namespace qrv {

bool ShowsFocusCue(HWND control) {
    return GetFocus() == control && LastInputFromKeyboard() &&
           (SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

} // namespace qrv
