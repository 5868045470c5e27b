#include "controls/win32/window_font.h"

#include <stdexcept>

namespace qrv {

TFont CreateWindowFont() {
    TFont font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
    if (!font) {
        throw std::runtime_error("The font of the windows could not be created.");
    }
    return font;
}

} // namespace qrv
