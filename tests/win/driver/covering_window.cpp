#include "driver/covering_window.h"

#include <future>

#include "driver/error.h"

namespace qrv::drive {

namespace {

constexpr wchar_t kClassName[] = L"QrvDriveCoveringWindow";

LRESULT CALLBACK CoveringProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateCoveringWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CoveringProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass); // a second registration fails harmlessly
    const HWND window =
        CreateWindowExW(0, kClassName, L"Another program", WS_POPUP | WS_CAPTION, 0, 0,
                        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                        nullptr, instance, nullptr);
    if (window != nullptr) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    return window;
}

} // namespace

CoveringWindow::CoveringWindow() {
    std::promise<HWND> created;
    auto handle = created.get_future();
    thread_ = std::thread([&created] {
        const HWND window = CreateCoveringWindow();
        created.set_value(window);
        MSG message;
        while (window != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
    });
    window_ = Window(handle.get());
    if (!window_) {
        thread_.join();
        throw DriverError("The covering window could not be created");
    }
}

CoveringWindow::~CoveringWindow() {
    PostMessageW(window_.Handle(), WM_CLOSE, 0, 0);
    thread_.join();
}

} // namespace qrv::drive
