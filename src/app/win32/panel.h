#pragma once
// A white panel without bevel that shows only its caption, centred, behind its children.

#include <windows.h>

namespace qrv {

void RegisterPanelClass(HINSTANCE instance);

} // namespace qrv
