#pragma once
// The messages a check list answers besides those of a list box. A check list is a list box
// (LB_GETCOUNT, LB_GETTEXT, LB_GETTOPINDEX, LB_GETITEMHEIGHT work on it) whose entries carry a
// check mark and an enabled state. wParam is the entry's index in every message; a bad index
// answers LB_ERR. What else setting a state does is the check list's choice; for tests it is
// best when it does what a user's toggle does (redraw the entry, tell the owner).
//
// The numbers lie above WM_USER: they are private to the check list's window class.

#include <windows.h>

namespace qrv::drive {

struct CheckListMessages {
    UINT get_check = WM_USER + 0x200;   // returns 1 when checked, 0 when not
    UINT set_check = WM_USER + 0x201;   // lParam 1 checks, 0 unchecks; returns 0
    UINT get_enabled = WM_USER + 0x202; // returns 1 when enabled, 0 when greyed
    UINT set_enabled = WM_USER + 0x203; // lParam 1 enables, 0 greys; returns 0
};

} // namespace qrv::drive
