#pragma once

#include "controls/win32/gdi.h"

namespace qrv {

// The font the program's windows are designed with: "MS Sans Serif" with a character height of
// 11 pixels at 96 DPI; at other DPIs its outline twin "Microsoft Sans Serif" at the height
// scaled. Each window owns its own.
TFont CreateWindowFont(unsigned dpi);

// Gives the font to every control of the window, nested ones too, and has them redrawn.
void SetFontOfDescendants(HWND window, HFONT font);

} // namespace qrv
