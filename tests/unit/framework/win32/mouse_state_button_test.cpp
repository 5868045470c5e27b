// The bitmap button's keys, as the program's message pump hands them over: a click on the
// release of Space or Return only after the press of that key on the button itself. The
// window stays hidden: other tests may be using the display.
#include "framework/win32/mouse_state_button.h"
#include "platform/win32/message_pump.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace qrv {
namespace {

constexpr int kButtonId = 7; // not IDOK, which the dialog navigation sends for Return

int& Clicks() {
    static int clicks = 0;
    return clicks;
}

LRESULT CALLBACK CountClicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && wParam == MAKEWPARAM(kButtonId, BN_CLICKED)) {
        ++Clicks();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(MouseStateButtonKeys, ClicksOnAKeysReleaseOnlyAfterItsPressOnTheButton) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterMouseStateButtonClass(instance);
    WNDCLASSW host{};
    host.lpfnWndProc = &CountClicks;
    host.hInstance = instance;
    host.lpszClassName = L"QrvButtonKeysHost";
    RegisterClassW(&host);
    const HWND parent = CreateWindowExW(0, host.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                        200, nullptr, nullptr, instance, nullptr);
    const HWND button = CreateWindowExW(
        0, kMouseStateButtonClass, L"Export", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 100, 28,
        parent, reinterpret_cast<HMENU>(INT_PTR{kButtonId}), instance, nullptr);
    const auto key = [&](UINT message, WPARAM key, LPARAM state = 0) {
        PostMessageW(button, message, key, state);
        PumpMessages();
    };
    constexpr LPARAM kWasDown = LPARAM{1} << 30;
    Clicks() = 0;

    key(WM_KEYUP, VK_SPACE);              // pressed on another control, released here
    key(WM_KEYDOWN, VK_RETURN, kWasDown); // held since before the focus came
    key(WM_KEYUP, VK_RETURN);
    key(WM_KEYDOWN, VK_SPACE);
    SendMessageW(button, WM_KILLFOCUS, 0, 0); // the focus went, the key is still down
    key(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Clicks(), 0);

    key(WM_KEYDOWN, VK_SPACE);
    key(WM_KEYUP, VK_SPACE);
    key(WM_KEYDOWN, VK_RETURN); // past the dialog navigation, which would take it
    key(WM_KEYUP, VK_RETURN);
    EXPECT_EQ(Clicks(), 2);
    DestroyWindow(parent);
}

} // namespace
} // namespace qrv
