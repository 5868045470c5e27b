#pragma once
// What a push button of ours tells a screen reader: a push button named by its caption, or by
// a name of its own when it shows a picture alone; unavailable while disabled, pressed while
// held down (BM_GETSTATE); its default action clicks it.

#include "controls/win32/accessible_object.h"

#include <string>

namespace qrv {

// New objects with one reference: named by the button's window text, or by `name`.
TAccessibleObject* MakePushButtonAccessible(HWND button);
TAccessibleObject* MakePushButtonAccessible(HWND button, std::u16string name);

} // namespace qrv
