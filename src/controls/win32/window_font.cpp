#include "controls/win32/window_font.h"

#include "platform/dpi_scale.h"

#include <stdexcept>

namespace qrv {

namespace {

constexpr int kDesignCharacterHeight = 11;

BOOL CALLBACK SetFontOfChild(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

} // namespace

TFont CreateWindowFont(unsigned dpi) {
    // "MS Sans Serif" is a bitmap font of a few sizes, between which Windows enlarges its
    // pixels. Away from the design's DPI its outline twin "Microsoft Sans Serif" keeps the
    // text sharp.
    const wchar_t* face = dpi == kDesignDpi ? L"MS Sans Serif" : L"Microsoft Sans Serif";
    TFont font(CreateFontW(-ScaleToDpi(kDesignCharacterHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE,
                           FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
    if (!font) {
        throw std::runtime_error("The font of the windows could not be created.");
    }
    return font;
}

void SetFontOfDescendants(HWND window, HFONT font) {
    EnumChildWindows(window, &SetFontOfChild, reinterpret_cast<LPARAM>(font));
}

} // namespace qrv
