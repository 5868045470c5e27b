#pragma once
// A white panel without bevel that shows only its caption, centred, behind its children (in
// high contrast the theme's window and text colours). Controls on it report to the window
// that holds the panel. A screen reader reads its caption as static text.

#include <windows.h>

namespace qrv {

inline constexpr wchar_t kPanelClass[] = L"TQRVPanel";

void RegisterPanelClass(HINSTANCE instance);

} // namespace qrv
