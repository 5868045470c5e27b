#pragma once
// What a check list tells a screen reader: a list named by the label before it, whose entries
// are check buttons named by their captions, with their marks, greying and selection.

#include "controls/win32/accessible_object.h"

namespace qrv {

// A new object for the check list, with one reference.
TAccessibleObject* MakeCheckListAccessible(HWND list);

} // namespace qrv
