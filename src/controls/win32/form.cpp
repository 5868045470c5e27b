#include "controls/win32/form.h"

#include "controls/win32/high_contrast.h"
#include "controls/win32/window_dpi.h"
#include "controls/win32/window_font.h"

#include <stdexcept>

namespace qrv {

TForm::TForm(const TFormDesign& design) : design_(design) {
    for (const TControlSpec& control : design.controls) {
        if (control.fillsClient) {
            fillingControl_ = control.id;
        }
    }
}

TForm::~TForm() {
    DestroyQuietly();
}

SIZE TForm::OuterSize(unsigned dpi) const {
    const int width = ScaleToDpi(design_.width, dpi);
    const int height = ScaleToDpi(design_.height, dpi);
    return design_.outerSize ? SIZE{width, height}
                             : OuterSizeForDpi(width, height, design_.style, design_.exStyle, dpi);
}

void TForm::CreateForm(HINSTANCE instance, HWND owner) {
    const unsigned screenDpi = SystemDpiOf(nullptr);
    const SIZE outer = OuterSize(screenDpi);
    const HICON icon = design_.iconResource != 0
                           ? LoadIconW(instance, MAKEINTRESOURCEW(design_.iconResource))
                           : nullptr;
    CreateWindowOf(instance,
                   {.name = design_.className,
                    .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                    .icon = icon},
                   design_.exStyle, design_.caption, design_.style,
                   {design_.origin.x, design_.origin.y, outer.cx, outer.cy}, owner);
    // Per monitor, the window's own DPI may differ from the screen's.
    const unsigned dpi =
        TakeOwnDpi(Handle(), screenDpi, [this](unsigned at) { return OuterSize(at); });
    font_ = CreateWindowFont(dpi);
    for (const TControlSpec& control : design_.controls) {
        AddControl(instance, control, dpi);
    }
}

void TForm::AddControl(HINSTANCE instance, const TControlSpec& control, unsigned dpi) {
    TDesignRect at;
    if (control.fillsClient) {
        RECT client;
        GetClientRect(Handle(), &client);
        at = {0, 0, client.right, client.bottom};
    } else {
        at = ScaleToDpi(PlaceOf(design_.layout, control.id), dpi);
    }
    const HWND parent = control.parent != 0 ? Control(control.parent) : Handle();
    const HWND created = CreateWindowExW(
        control.exStyle, control.className, control.text, WS_CHILD | control.style, at.x, at.y,
        at.width, at.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
        instance, nullptr);
    if (created == nullptr) {
        throw std::runtime_error("A control of the window could not be created.");
    }
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    controls_[control.id] = created;
}

HWND TForm::Control(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() ? found->second : nullptr;
}

void TForm::DpiChanged(WPARAM wParam, LPARAM suggestedRect) {
    font_ = TakeNewDpi(Handle(), wParam, suggestedRect);
    if (design_.layout.empty()) {
        return; // a control that fills the client area follows in WM_SIZE
    }
    PlaceAllAtDpi(design_.layout, WindowDpi(Handle()), [this](int id) { return Control(id); });
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

namespace {

BOOL CALLBACK TellSystemColoursChanged(HWND child, LPARAM) {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

} // namespace

void TForm::ThemeChanged() {
    TakeThemeChange();
    // The common controls keep copies of the system's colours, which a top-level window tells
    // them to renew.
    EnumChildWindows(Handle(), &TellSystemColoursChanged, 0);
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOLORCHANGE:
        ThemeChanged();
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST) {
            ThemeChanged();
            return 0;
        }
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DPICHANGED:
        DpiChanged(wParam, lParam);
        return 0;
    case WM_SIZE:
        if (fillingControl_ == 0) {
            break;
        }
        MoveWindow(Control(fillingControl_), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    default:
        break;
    }
    return OnMessage(message, wParam, lParam);
}

LRESULT TForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

} // namespace qrv
