#include "controls/win32/high_contrast.h"

#include <optional>

namespace qrv {

namespace {

std::optional<bool>& Known() {
    static std::optional<bool> highContrast;
    return highContrast;
}

bool AskTheSystem() {
    HIGHCONTRASTW state{};
    state.cbSize = sizeof(state);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(state), &state, 0) != FALSE &&
           (state.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace

bool HighContrastOn() {
    if (!Known()) {
        Known() = AskTheSystem();
    }
    return *Known();
}

void TakeThemeChange() {
    Known() = AskTheSystem();
}

COLORREF DesignOrSystem(COLORREF design, int systemColour) {
    return HighContrastOn() ? GetSysColor(systemColour) : design;
}

HBRUSH DesignOrSystem(HBRUSH design, int systemColour) {
    return HighContrastOn() ? GetSysColorBrush(systemColour) : design;
}

} // namespace qrv
