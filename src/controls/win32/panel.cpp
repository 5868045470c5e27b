#include "controls/win32/panel.h"

#include "controls/win32/gdi.h"
#include "controls/win32/high_contrast.h"
#include "controls/win32/message_boxes.h"
#include "controls/win32/static_text_accessible.h"
#include "controls/win32/window_class.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_text.h"

namespace qrv {

namespace {

HFONT FontOf(HWND panel) {
    return reinterpret_cast<HFONT>(GetWindowLongPtrW(panel, 0));
}

void Paint(HWND panel) {
    const TPaintDC paint(panel);
    const HDC dc = paint.Get();
    RECT client;
    GetClientRect(panel, &client);
    FillRect(dc, &client, WindowBrush());
    const std::u16string caption = WindowText(panel);
    if (caption.empty()) {
        return;
    }
    const TSelection font(dc, FontOf(panel));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, DesignOrSystem(RGB(0, 0, 0), COLOR_WINDOWTEXT));
    DrawTextW(dc, Wide(caption), static_cast<int>(caption.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT HandlePanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
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
        return reinterpret_cast<LRESULT>(FontOf(panel));
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(panel, message, wParam, lParam);
        InvalidateRect(panel, nullptr, TRUE);
        NotifyNameChange(panel);
        return result;
    }
    case WM_GETOBJECT: {
        // A panel that shows its caption reads as that text; one that holds controls is the
        // system's client area.
        const auto system = [&] { return DefWindowProcW(panel, message, wParam, lParam); };
        if (WindowText(panel).empty()) {
            return system();
        }
        return AnswerGetObject(
            wParam, lParam, [&] { return MakeStaticTextAccessible(panel, TAccessKeys::shown); },
            system);
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return SendMessageW(GetParent(panel), message, wParam, lParam);
    default:
        return DefWindowProcW(panel, message, wParam, lParam);
    }
}

} // namespace

void RegisterPanelClass(HINSTANCE instance) {
    RegisterControlClass(instance, {.name = kPanelClass,
                                    .procedure = &GuardedProcedure<&HandlePanelMessage>,
                                    .extraBytes = sizeof(LONG_PTR)});
}

} // namespace qrv
