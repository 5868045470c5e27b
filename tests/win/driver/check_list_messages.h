#pragma once
// The messages a check list answers besides those of a list box: the program's own
// (controls/check_list_messages.h), replaceable per CheckList for another control.

#include "controls/check_list_messages.h"

#include <windows.h>

namespace qrv::drive {

struct CheckListMessages {
    UINT getCheck = check_list::kGetCheck;     // returns 1 when checked, 0 when not
    UINT setCheck = check_list::kSetCheck;     // lParam 1 checks, 0 unchecks; returns 0
    UINT getEnabled = check_list::kGetEnabled; // returns 1 when enabled, 0 when greyed
    UINT setEnabled = check_list::kSetEnabled; // lParam 1 enables, 0 greys; returns 0
};

} // namespace qrv::drive
