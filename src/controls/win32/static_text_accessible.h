#pragma once
// What a text of ours tells a screen reader (a panel's caption, a label): static text named by
// the text it shows, without the ampersands of an access key where it draws them as one.

#include "controls/win32/accessible_object.h"

namespace qrv {

enum class TAccessKeys { shown, drawnAsText };

// A new object with one reference.
TAccessibleObject* MakeStaticTextAccessible(HWND text, TAccessKeys accessKeys);

} // namespace qrv
