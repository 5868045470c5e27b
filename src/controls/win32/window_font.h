#pragma once

#include "controls/win32/gdi.h"

namespace qrv {

// The font the program's windows are designed with: "MS Sans Serif", height -11. Each
// window owns its own.
TFont CreateWindowFont();

} // namespace qrv
