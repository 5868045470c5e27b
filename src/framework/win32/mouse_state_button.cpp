#include "framework/win32/mouse_state_button.h"

#include "controls/win32/focus_cue.h"
#include "controls/win32/gdi.h"
#include "controls/win32/high_contrast.h"
#include "controls/win32/message_boxes.h"
#include "controls/win32/push_button_accessible.h"
#include "controls/win32/window_class.h"
#include "controls/win32/window_dpi.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_text.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>

namespace qrv {

namespace {

enum class TButtonState { normal, hover, pressed, disabled };

// The button's size at a DPI, and its border one design pixel wide.
struct TButtonSize {
    int width;
    int height;
    int border;
};

TButtonSize SizeAt(unsigned dpi) {
    return {ScaleToDpi(kMouseStateButtonWidth, dpi), ScaleToDpi(kMouseStateButtonHeight, dpi),
            std::max(1, ScaleToDpi(1, dpi))};
}

// The four pictures at one DPI, drawn once at that size: a vertical two-colour gradient with a
// border.
class TButtonPictures {
public:
    explicit TButtonPictures(unsigned dpi) : size_(SizeAt(dpi)) {
        pictures_[0].Reset(Make(RGB(232, 243, 252), RGB(176, 212, 240), RGB(0, 102, 170)));
        pictures_[1].Reset(Make(RGB(245, 250, 255), RGB(200, 228, 250), RGB(0, 145, 220)));
        pictures_[2].Reset(Make(RGB(150, 190, 225), RGB(205, 228, 245), RGB(0, 80, 140)));
        pictures_[3].Reset(Make(RGB(236, 236, 236), RGB(212, 212, 212), RGB(160, 160, 160)));
    }

    HBITMAP For(TButtonState state) const { return pictures_[static_cast<size_t>(state)].Get(); }

private:
    HBITMAP Make(COLORREF top, COLORREF bottom, COLORREF border) const {
        const int width = size_.width;
        const int height = size_.height;
        const int thickness = size_.border;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (picture == nullptr) {
            return nullptr;
        }
        const int stride = (width * 3 + 3) & ~3;
        auto* rows = static_cast<BYTE*>(bits);
        for (int y = 0; y < height; ++y) {
            auto mix = [&](int a, int b) {
                return static_cast<BYTE>(a + (b - a) * y / (height - 1));
            };
            for (int x = 0; x < width; ++x) {
                const bool edge = x < thickness || y < thickness || x >= width - thickness ||
                                  y >= height - thickness;
                const COLORREF colour = edge ? border
                                             : RGB(mix(GetRValue(top), GetRValue(bottom)),
                                                   mix(GetGValue(top), GetGValue(bottom)),
                                                   mix(GetBValue(top), GetBValue(bottom)));
                BYTE* pixel = rows + y * stride + x * 3;
                pixel[0] = GetBValue(colour);
                pixel[1] = GetGValue(colour);
                pixel[2] = GetRValue(colour);
            }
        }
        return picture;
    }

    TButtonSize size_;
    std::array<TBitmap, 4> pictures_;
};

// The pictures for each DPI a button has been drawn at, freed when the program ends.
const TButtonPictures& Pictures(unsigned dpi) {
    static std::map<unsigned, TButtonPictures> pictures;
    return pictures.try_emplace(dpi, dpi).first->second;
}

// The focus rectangle's distance from the button's edges, in pixels of the design.
constexpr int kFocusInset = 3;

// The label's offset from the top-left corner in each state, in pixels of the design.
int LabelOffset(TButtonState state) {
    return state == TButtonState::pressed ? 8 : state == TButtonState::hover ? 6 : 4;
}

// The bit of a key message's lParam that tells that the key was down before the message.
constexpr LPARAM kKeyWasDown = LPARAM{1} << 30;

// Per-window state, kept behind GWLP_USERDATA.
struct TButtonData {
    bool hover = false;
    bool pressed = false;
    bool captured = false;
    WPARAM keyPressed = 0; // Space or Return, pressed while the button had the focus
    HFONT font = nullptr;
};

TButtonData* Data(HWND button) {
    return reinterpret_cast<TButtonData*>(GetWindowLongPtrW(button, GWLP_USERDATA));
}

TButtonState StateOf(HWND button, const TButtonData& data) {
    if (!IsWindowEnabled(button)) {
        return TButtonState::disabled;
    }
    if (data.pressed && data.hover) {
        return TButtonState::pressed;
    }
    return data.hover ? TButtonState::hover : TButtonState::normal;
}

void DrawPicture(HDC dc, TButtonState state, unsigned dpi, const TButtonSize& size) {
    const TMemoryDC pictureDc(dc);
    const TSelection picture(pictureDc.Get(), Pictures(dpi).For(state));
    BitBlt(dc, 0, 0, size.width, size.height, pictureDc.Get(), 0, 0, SRCCOPY);
}

// In high contrast the button is drawn plainly in the theme's button colours, with a border in
// the colour of its text (the highlight's under the mouse); pressed, it takes the highlight.
// Returns the colour of its text.
COLORREF DrawPlain(HDC dc, TButtonState state, const TButtonSize& size) {
    const bool pressed = state == TButtonState::pressed;
    const COLORREF ink = GetSysColor(state == TButtonState::disabled ? COLOR_GRAYTEXT
                                     : pressed                       ? COLOR_HIGHLIGHTTEXT
                                                                     : COLOR_BTNTEXT);
    RECT rect{0, 0, size.width, size.height};
    const TBrush edge(
        CreateSolidBrush(state == TButtonState::hover ? GetSysColor(COLOR_HIGHLIGHT) : ink));
    FillRect(dc, &rect, edge.Get());
    InflateRect(&rect, -size.border, -size.border);
    FillRect(dc, &rect, GetSysColorBrush(pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    return ink;
}

void Paint(HWND button, const TButtonData& data) {
    const TPaintDC paint(button);
    const HDC dc = paint.Get();
    const TButtonState state = StateOf(button, data);
    const unsigned dpi = WindowDpi(button);
    const TButtonSize size = SizeAt(dpi);
    COLORREF ink = RGB(0, 0, 0);
    if (HighContrastOn()) {
        ink = DrawPlain(dc, state, size);
    } else {
        DrawPicture(dc, state, dpi, size);
    }
    const int offset = ScaleToDpi(LabelOffset(state), dpi);
    const std::u16string caption = WindowText(button);
    const TSelection font(dc, data.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    RECT label{offset, offset, size.width, size.height};
    DrawTextW(dc, Wide(caption), static_cast<int>(caption.size()), &label,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (ShowsFocusCue(button)) {
        RECT focus{0, 0, size.width, size.height};
        const int inset = ScaleToDpi(kFocusInset, dpi);
        InflateRect(&focus, -inset, -inset);
        DrawFocusRect(dc, &focus);
    }
}

// BM_GETSTATE, as a standard button answers it.
LRESULT ButtonStateBits(HWND button, const TButtonData& data) {
    return (data.pressed && data.hover ? BST_PUSHED : 0) | (data.hover ? BST_HOT : 0) |
           (GetFocus() == button ? BST_FOCUS : 0);
}

void Click(HWND button) {
    if (!IsWindowEnabled(button)) {
        return;
    }
    const auto id = static_cast<WORD>(GetDlgCtrlID(button));
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

bool CursorOver(HWND button, LPARAM lParam) {
    RECT client;
    GetClientRect(button, &client);
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, point) != FALSE;
}

LRESULT HandleButtonMessage(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    TButtonData* data = Data(button);
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TButtonData));
        {
            const unsigned dpi = WindowDpi(button);
            SetWindowPos(button, nullptr, 0, 0, ScaleToDpi(kMouseStateButtonWidth, dpi),
                         ScaleToDpi(kMouseStateButtonHeight, dpi),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    case WM_NCDESTROY:
        delete data;
        SetWindowLongPtrW(button, GWLP_USERDATA, 0);
        break;
    case WM_PAINT:
        if (data != nullptr) {
            Paint(button, *data);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        data->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0) {
            InvalidateRect(button, nullptr, FALSE);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(data->font);
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT result = DefWindowProcW(button, message, wParam, lParam);
        InvalidateRect(button, nullptr, FALSE);
        if (message == WM_SETTEXT) {
            NotifyNameChange(button);
        } else {
            NotifyStateChange(button);
        }
        return result;
    }
    case WM_KEYDOWN:
        // A repeat of a key that went down elsewhere (held while the focus moved here) is not
        // a press of this button.
        if ((wParam == VK_SPACE || wParam == VK_RETURN) && (lParam & kKeyWasDown) == 0) {
            data->keyPressed = wParam;
        }
        InvalidateRect(button, nullptr, FALSE); // the focus rectangle comes
        break;
    case WM_KILLFOCUS:
        data->keyPressed = 0;
        InvalidateRect(button, nullptr, FALSE);
        break;
    case WM_SETFOCUS:
    case WM_UPDATEUISTATE:
        // The focus rectangle comes or goes.
        InvalidateRect(button, nullptr, FALSE);
        break;
    case WM_GETOBJECT:
        return AnswerGetObject(
            wParam, lParam, [button] { return MakePushButtonAccessible(button); },
            [&] { return DefWindowProcW(button, message, wParam, lParam); });
    case BM_GETSTATE:
        return ButtonStateBits(button, *data);
    case WM_MOUSEMOVE: {
        const bool over = CursorOver(button, lParam);
        if (over != data->hover) {
            data->hover = over;
            InvalidateRect(button, nullptr, FALSE);
        }
        if (over && !data->captured) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
            TrackMouseEvent(&track);
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        data->hover = false;
        InvalidateRect(button, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        data->pressed = true;
        data->hover = true;
        data->captured = true;
        SetCapture(button);
        InvalidateRect(button, nullptr, FALSE);
        NotifyStateChange(button);
        return 0;
    case WM_LBUTTONUP: {
        const bool click = data->pressed && CursorOver(button, lParam);
        data->pressed = false;
        data->captured = false;
        ReleaseCapture();
        InvalidateRect(button, nullptr, FALSE);
        NotifyStateChange(button);
        if (click) {
            Click(button);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        data->pressed = false;
        data->captured = false;
        InvalidateRect(button, nullptr, FALSE);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE || wParam == VK_RETURN) {
            // Clicks only on the release of the key that was pressed on this button.
            const bool click = data->keyPressed == wParam;
            data->keyPressed = 0;
            if (click) {
                Click(button);
            }
            return 0;
        }
        break;
    case WM_GETDLGCODE: {
        // The dialog navigation would take Return for the default button: the button wants
        // its press, which it clicks on the release of.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool returnPressed =
            key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON | (returnPressed ? DLGC_WANTMESSAGE : 0);
    }
    case BM_CLICK:
        Click(button);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(button, message, wParam, lParam);
}

} // namespace

void RegisterMouseStateButtonClass(HINSTANCE instance) {
    RegisterControlClass(instance, {.name = kMouseStateButtonClass,
                                    .procedure = &GuardedProcedure<&HandleButtonMessage>,
                                    .cursor = IDC_HAND,
                                    .style = CS_DBLCLKS});
}

void TxQRV3MouseStateButton::Set_LabelCaption(const std::u16string& caption) {
    SetWindowTextOf(handle_, caption);
}

std::u16string TxQRV3MouseStateButton::LabelCaption() const {
    return WindowText(handle_);
}

void TxQRV3MouseStateButton::SetEnabled(bool enabled) {
    EnableWindow(handle_, enabled ? TRUE : FALSE);
}

bool TxQRV3MouseStateButton::Enabled() const {
    return IsWindowEnabled(handle_) != FALSE;
}

} // namespace qrv
