#pragma once
// The colours the program paints with. The design fixes some of them (white windows, black
// texts, the folder picture's blue, the bitmap button's pictures); while the user's
// high-contrast theme is on, the system's colours take their place. The system is asked at the
// first paint and again at each theme change, which every window of the program passes on
// here (WM_SYSCOLORCHANGE, WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST).

#include <windows.h>

namespace qrv {

// SPI_GETHIGHCONTRAST's HCF_HIGHCONTRASTON, as the system last said.
bool HighContrastOn();
// Asks the system again.
void TakeThemeChange();

// The design's colour, or the system colour `systemColour` (COLOR_WINDOW, ...) in high
// contrast; the same for a brush, which nobody frees (a stock brush or the system's).
COLORREF DesignOrSystem(COLORREF design, int systemColour);
HBRUSH DesignOrSystem(HBRUSH design, int systemColour);

// The program's window background: the design's white, or the theme's window colour.
inline COLORREF WindowColour() {
    return DesignOrSystem(RGB(255, 255, 255), COLOR_WINDOW);
}
inline HBRUSH WindowBrush() {
    return DesignOrSystem(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), COLOR_WINDOW);
}

} // namespace qrv
