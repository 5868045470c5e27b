#include "app/win32/application_window.h"

#include "app/main_window_ids.h"
#include "platform/ansi.h"

namespace qrv {

TApplicationWindow& ApplicationWindow() {
    static TApplicationWindow window;
    return window;
}

void TApplicationWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &TApplicationWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = ids::kApplicationWindowClass;
    RegisterClassExW(&windowClass);
    // Zero size, so that showing it adds a taskbar entry and nothing on the screen.
    handle_ =
        CreateWindowExW(0, ids::kApplicationWindowClass, L"",
                        WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, GetSystemMetrics(SM_CXSCREEN) / 2,
                        GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance, this);
}

void TApplicationWindow::Destroy() {
    if (handle_ != nullptr) {
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
}

void TApplicationWindow::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_ != nullptr) {
        SetWindowTextA(handle_, title_.c_str());
    }
}

std::u16string TApplicationWindow::TitleWide() const {
    return FromAnsi(title_);
}

LRESULT CALLBACK TApplicationWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TApplicationWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->handle_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

void TApplicationWindow::RestoreMainWindow() {
    if (main_ == nullptr || !IsWindow(main_)) {
        return;
    }
    if (IsIconic(main_)) {
        ShowWindow(main_, SW_RESTORE);
    }
    SetForegroundWindow(main_);
}

LRESULT TApplicationWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_RESTORE) {
            if (IsIconic(handle_)) {
                ShowWindow(handle_, SW_RESTORE);
            }
            RestoreMainWindow();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // The application window never keeps the activation: it passes it to the main window.
        if (LOWORD(wParam) != WA_INACTIVE && main_ != nullptr && IsWindowVisible(main_) &&
            IsWindowEnabled(main_)) {
            SetForegroundWindow(main_);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (main_ != nullptr && IsWindow(main_)) {
            PostMessageW(main_, WM_CLOSE, 0, 0);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

} // namespace qrv
