#include "controls/win32/window_dpi.h"

#include "controls/win32/window_font.h"

namespace qrv {

namespace {

constexpr wchar_t kLayoutDpiProperty[] = L"QRV3DOVEravar.LayoutDpi";

// The per-monitor functions of user32, found at run time: older systems lack them.
template <typename Function> Function User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    // The cast through void(*)() keeps GCC from warning about incompatible function types.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

using TGetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using TAdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

unsigned ScreenDpi() {
    const TClientDC screen(nullptr);
    const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDesignDpi;
}

} // namespace

unsigned SystemDpiOf(HWND window) {
    static const auto getDpiForWindow = User32Function<TGetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) {
            return dpi;
        }
    }
    return ScreenDpi();
}

unsigned WindowDpi(HWND window) {
    const HWND topLevel = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    if (topLevel != nullptr) {
        const auto recorded = reinterpret_cast<UINT_PTR>(GetPropW(topLevel, kLayoutDpiProperty));
        if (recorded != 0) {
            return static_cast<unsigned>(recorded);
        }
    }
    return SystemDpiOf(window);
}

void SetLayoutDpi(HWND topLevel, unsigned dpi) {
    SetPropW(topLevel, kLayoutDpiProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
}

void ForgetLayoutDpi(HWND topLevel) {
    RemovePropW(topLevel, kLayoutDpiProperty);
}

SIZE OuterSizeForDpi(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, unsigned dpi) {
    static const auto adjustForDpi =
        User32Function<TAdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT outer{0, 0, clientWidth, clientHeight};
    if (adjustForDpi == nullptr || !adjustForDpi(&outer, style, FALSE, exStyle, dpi)) {
        outer = {0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void PlaceAtDpi(HWND control, const TDesignRect& design, unsigned dpi) {
    const TDesignRect place = ScaleToDpi(design, dpi);
    SetWindowPos(control, nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

TFont TakeNewDpi(HWND window, WPARAM wParam, LPARAM suggestedRect) {
    const unsigned dpi = HIWORD(wParam);
    SetLayoutDpi(window, dpi);
    TFont font = CreateWindowFont(dpi);
    SetFontOfDescendants(window, font.Get());
    if (const auto* suggested = reinterpret_cast<const RECT*>(suggestedRect)) {
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return font;
}

} // namespace qrv
