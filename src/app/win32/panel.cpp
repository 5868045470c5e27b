#include "app/win32/panel.h"

#include "app/main_window_ids.h"

#include <string>

namespace qrv {

namespace {

void Paint(HWND panel) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(panel, &paint);
    RECT client;
    GetClientRect(panel, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int length = GetWindowTextLengthW(panel);
    if (length > 0) {
        std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(panel, caption.data(), length + 1);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(panel, WM_GETFONT, 0, 0));
        const HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, caption.c_str(), length, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (previous != nullptr) {
            SelectObject(dc, previous);
        }
    }
    EndPaint(panel, &paint);
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(panel);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        SetWindowLongPtrW(panel, 0, static_cast<LONG_PTR>(wParam));
        return 0;
    case WM_GETFONT:
        return static_cast<LRESULT>(GetWindowLongPtrW(panel, 0));
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(panel, message, wParam, lParam);
        InvalidateRect(panel, nullptr, TRUE);
        return result;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        // Controls on a panel report to the window that holds the panel.
        return SendMessageW(GetParent(panel), message, wParam, lParam);
    default:
        return DefWindowProcW(panel, message, wParam, lParam);
    }
}

} // namespace

void RegisterPanelClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &PanelProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = ids::kPanelClass;
    RegisterClassExW(&windowClass);
}

} // namespace qrv
