#include "controls/win32/window_base.h"

#include "controls/win32/high_contrast.h"
#include "controls/win32/message_boxes.h"
#include "controls/win32/reflection.h"
#include "controls/win32/window_class.h"
#include "controls/win32/window_dpi.h"

#include <stdexcept>

namespace qrv {

TWindowBase::~TWindowBase() {
    DestroyQuietly();
}

void TWindowBase::DestroyQuietly() {
    if (handle_ != nullptr) {
        const HWND window = handle_;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        handle_ = nullptr;
        DestroyWindow(window);
    }
}

void TWindowBase::CreateWindowOf(HINSTANCE instance, const TWindowClass& windowClass, DWORD exStyle,
                                 const wchar_t* caption, DWORD style, TPlacement placement,
                                 HWND owner) {
    WNDCLASSEXW existing;
    if (!FindWindowClass(instance, windowClass.name, existing)) {
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        description.style = windowClass.style;
        description.lpfnWndProc = &TWindowBase::Procedure;
        description.hInstance = instance;
        description.hIcon = windowClass.icon;
        description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        description.hbrBackground = windowClass.background;
        description.lpszClassName = windowClass.name;
        if (RegisterClassExW(&description) == 0) {
            throw std::runtime_error("A window class could not be registered.");
        }
    }
    CreateWindowExW(exStyle, windowClass.name, caption, style, placement.x, placement.y,
                    placement.width, placement.height, owner, nullptr, instance, this);
    if (handle_ == nullptr) {
        throw std::runtime_error("A window could not be created.");
    }
}

LRESULT TWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TWindowBase::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
        return ReflectDrawItem(lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        // The program's windows are white, and so are the labels and fields on them; in high
        // contrast they take the theme's window and text colours.
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, WindowColour());
        if (HighContrastOn()) {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        }
        return reinterpret_cast<LRESULT>(WindowBrush());
    }
    case WM_ERASEBKGND:
        if (HighContrastOn()) {
            RECT client;
            GetClientRect(handle_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, WindowBrush());
            return 1;
        }
        return DefWindowProcW(handle_, message, wParam, lParam); // the class's white
    default:
        return DefWindowProcW(handle_, message, wParam, lParam);
    }
}

LRESULT CALLBACK TWindowBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<TWindowBase*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The window is gone: the object no longer speaks for it.
        ForgetLayoutDpi(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    RunHandler([&] { result = self->HandleMessage(message, wParam, lParam); });
    return result;
}

} // namespace qrv
