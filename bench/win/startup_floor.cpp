// The floor of the program's start (bench/startup_floor.sh): an empty window program that
// shows and paints a window of the main window's size, waits the one poll of the CAD system
// (100 ms, pumping), and ends. Whatever the program's start costs beyond this is its own.
// With --hold it keeps a hidden window until it is ended, and so the prefix's desktop up
// between the starts.
#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t kClassName[] = L"QRVStartupFloor";
constexpr DWORD kPollMilliseconds = 100;

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &FloorWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    const HWND window =
        CreateWindowExW(0, kClassName, L"DOVEravar", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 672, 494, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    if (std::wcscmp(commandLine, L"--hold") == 0) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
        return 0;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    PumpMessages();
    Sleep(kPollMilliseconds);
    PumpMessages();
    return 0;
}
