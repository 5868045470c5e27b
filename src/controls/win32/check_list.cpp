#include "controls/win32/check_list.h"
#include "platform/win32/wide.h"

#include "controls/check_list_messages.h"
#include "controls/win32/check_list_accessible.h"
#include "controls/win32/gdi.h"
#include "controls/win32/message_boxes.h"
#include "controls/win32/reflection.h"
#include "controls/win32/window_class.h"
#include "controls/win32/window_dpi.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace qrv {

namespace {

// Entry state, kept in the entry's item data.
constexpr LPARAM kChecked = 1;
constexpr LPARAM kDisabled = 2;

// Lengths of the 96-DPI design.
constexpr int kMinimumItemHeight = 16;
constexpr int kItemHeightAboveText = 3;
constexpr int kTextGap = 4;

WNDPROC& ListBoxProcedure() {
    static WNDPROC procedure = nullptr;
    return procedure;
}

LRESULT CallListBox(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(ListBoxProcedure(), list, message, wParam, lParam);
}

int EntryCount(HWND list) {
    return static_cast<int>(CallListBox(list, LB_GETCOUNT, 0, 0));
}

bool ValidIndex(HWND list, WPARAM index) {
    return index < static_cast<WPARAM>(EntryCount(list));
}

LPARAM Flags(HWND list, WPARAM index) {
    return CallListBox(list, LB_GETITEMDATA, index, 0);
}

void RedrawEntry(HWND list, WPARAM index) {
    RECT rect;
    if (CallListBox(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
        InvalidateRect(list, &rect, FALSE);
    }
}

long ChildOf(WPARAM index) {
    return accessibility::ChildOfEntry(static_cast<int>(index));
}

void SetFlag(HWND list, WPARAM index, LPARAM flag, bool on) {
    const LPARAM flags = Flags(list, index);
    const LPARAM changed = on ? (flags | flag) : (flags & ~flag);
    CallListBox(list, LB_SETITEMDATA, index, changed);
    RedrawEntry(list, index);
    if (changed != flags) {
        NotifyStateChange(list, ChildOf(index));
    }
}

void Notify(HWND list, unsigned code) {
    const auto id = static_cast<WORD>(GetDlgCtrlID(list));
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(list));
}

// The user's toggle: nothing happens to a greyed entry.
void Toggle(HWND list, WPARAM index) {
    if (!ValidIndex(list, index) || (Flags(list, index) & kDisabled) != 0) {
        return;
    }
    SetFlag(list, index, kChecked, (Flags(list, index) & kChecked) == 0);
    Notify(list, check_list::kCheckChanged);
}

int ItemHeight(HWND list) {
    return static_cast<int>(CallListBox(list, LB_GETITEMHEIGHT, 0, 0));
}

// The entry whose check box lies under a point of the client area, if any.
bool BoxAt(HWND list, LPARAM point, WPARAM& index) {
    const LRESULT hit = CallListBox(list, LB_ITEMFROMPOINT, 0, point);
    if (HIWORD(hit) != 0) {
        return false;
    }
    index = LOWORD(hit);
    RECT rect;
    CallListBox(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    const int x = static_cast<short>(LOWORD(point));
    return x >= rect.left && x < rect.left + ItemHeight(list);
}

std::wstring EntryText(HWND list, WPARAM index) {
    const LRESULT length = CallListBox(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        CallListBox(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

void Exchange(HWND list, WPARAM index1, WPARAM index2) {
    if (index1 == index2) {
        return;
    }
    const WPARAM low = std::min(index1, index2);
    const WPARAM high = std::max(index1, index2);
    const LRESULT selected = CallListBox(list, LB_GETCURSEL, 0, 0);
    const std::wstring lowText = EntryText(list, low);
    const std::wstring highText = EntryText(list, high);
    const LPARAM lowFlags = Flags(list, low);
    const LPARAM highFlags = Flags(list, high);

    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    CallListBox(list, LB_DELETESTRING, high, 0);
    CallListBox(list, LB_INSERTSTRING, high, reinterpret_cast<LPARAM>(lowText.c_str()));
    CallListBox(list, LB_SETITEMDATA, high, lowFlags);
    CallListBox(list, LB_DELETESTRING, low, 0);
    CallListBox(list, LB_INSERTSTRING, low, reinterpret_cast<LPARAM>(highText.c_str()));
    CallListBox(list, LB_SETITEMDATA, low, highFlags);
    if (selected == static_cast<LRESULT>(low)) {
        CallListBox(list, LB_SETCURSEL, high, 0);
    } else if (selected == static_cast<LRESULT>(high)) {
        CallListBox(list, LB_SETCURSEL, low, 0);
    } else {
        CallListBox(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    for (const WPARAM index : {low, high}) {
        NotifyNameChange(list, ChildOf(index));
        NotifyStateChange(list, ChildOf(index));
    }
}

void Draw(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const bool disabled = (item.itemData & kDisabled) != 0;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int side = item.rcItem.bottom - item.rcItem.top;
    RECT box{item.rcItem.left + 2, item.rcItem.top + 2, item.rcItem.left + side - 1,
             item.rcItem.bottom - 1};
    DrawFrameControl(item.hDC, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT |
                         ((item.itemData & kChecked) ? DFCS_CHECKED : 0) |
                         (disabled ? DFCS_INACTIVE : 0));

    const std::wstring text = EntryText(item.hwndItem, item.itemID);
    RECT textRect = item.rcItem;
    textRect.left += side + ScaleToDpi(kTextGap, WindowDpi(item.hwndItem));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                       : selected ? COLOR_HIGHLIGHTTEXT
                                                  : COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

// The rows are as high as the font's cells and a few pixels more, at least the design's
// minimum, both scaled to the DPI the window is laid out for.
void FitRowsToFont(HWND list, HFONT font) {
    TEXTMETRICW metrics{};
    {
        const TClientDC dc(list);
        const TSelection selected(dc.Get(), font);
        GetTextMetricsW(dc.Get(), &metrics);
    }
    const unsigned dpi = WindowDpi(list);
    const int itemHeight = std::max<int>(ScaleToDpi(kMinimumItemHeight, dpi),
                                         metrics.tmHeight + ScaleToDpi(kItemHeightAboveText, dpi));
    CallListBox(list, LB_SETITEMHEIGHT, 0, itemHeight);
    InvalidateRect(list, nullptr, TRUE);
}

LRESULT HandleCheckListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case check_list::kGetCheck:
    case check_list::kGetEnabled:
    case check_list::kSetCheck:
    case check_list::kSetEnabled:
        if (!ValidIndex(list, wParam)) {
            return LB_ERR;
        }
        if (message == check_list::kGetCheck) {
            return (Flags(list, wParam) & kChecked) != 0 ? 1 : 0;
        }
        if (message == check_list::kGetEnabled) {
            return (Flags(list, wParam) & kDisabled) == 0 ? 1 : 0;
        }
        if (message == check_list::kSetEnabled) {
            SetFlag(list, wParam, kDisabled, (lParam & 1) == 0);
            return 0;
        }
        SetFlag(list, wParam, kChecked, (lParam & 1) != 0);
        if ((lParam & check_list::kQuietly) == 0) {
            Notify(list, check_list::kCheckChanged);
        }
        return 0;
    case check_list::kExchange:
        if (!ValidIndex(list, wParam) || !ValidIndex(list, static_cast<WPARAM>(lParam))) {
            return LB_ERR;
        }
        Exchange(list, wParam, static_cast<WPARAM>(lParam));
        return 0;
    case kReflectedDrawItem:
        Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_SETFONT: {
        // A new font (a new DPI, too) gives new rows.
        const LRESULT result = CallListBox(list, message, wParam, lParam);
        FitRowsToFont(list, reinterpret_cast<HFONT>(wParam));
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = CallListBox(list, message, wParam, lParam);
        WPARAM index = 0;
        if (BoxAt(list, lParam, index)) {
            Toggle(list, index);
        }
        return result;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const LRESULT result = CallListBox(list, message, wParam, lParam);
        Notify(list, check_list::kMouseUp);
        return result;
    }
    case WM_SYSKEYDOWN:
        if ((HIWORD(lParam) & KF_ALTDOWN) != 0 && (wParam == VK_UP || wParam == VK_DOWN)) {
            Notify(list, wParam == VK_UP ? check_list::kMoveUpAsked : check_list::kMoveDownAsked);
            return 0;
        }
        break;
    case WM_GETOBJECT:
        return AnswerGetObject(
            wParam, lParam, [list] { return MakeCheckListAccessible(list); },
            [&] { return CallListBox(list, message, wParam, lParam); });
    case WM_CHAR:
        if (wParam == L' ') {
            const LRESULT selected = CallListBox(list, LB_GETCURSEL, 0, 0);
            if (selected != LB_ERR) {
                Toggle(list, static_cast<WPARAM>(selected));
            }
            return 0;
        }
        break;
    default:
        break;
    }
    return CallListBox(list, message, wParam, lParam);
}

} // namespace

void RegisterCheckListClass(HINSTANCE instance) {
    RegisterSuperclass(instance, L"LISTBOX", kCheckListClass,
                       &GuardedProcedure<&HandleCheckListMessage>, ListBoxProcedure());
}

TCheckList TCheckList::Create(HINSTANCE instance, HWND parent, int id, int x, int y, int width,
                              int height, HFONT font) {
    RegisterCheckListClass(instance);
    const HWND handle = CreateWindowExW(
        kCheckListExStyle, kCheckListClass, nullptr, WS_CHILD | kCheckListStyle, x, y, width,
        height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (handle == nullptr) {
        throw std::runtime_error("The check list could not be created.");
    }
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return TCheckList(handle);
}

int TCheckList::Count() const {
    return static_cast<int>(SendMessageW(handle_, LB_GETCOUNT, 0, 0));
}

void TCheckList::Clear() {
    SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
}

void TCheckList::Add(const std::u16string& caption) {
    const LRESULT index =
        SendMessageW(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(caption)));
    if (index < 0) {
        throw std::runtime_error("The check list cannot take another entry.");
    }
    SendMessageW(handle_, LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
}

std::u16string TCheckList::Caption(int index) const {
    const std::wstring text = EntryText(handle_, static_cast<WPARAM>(index));
    return std::u16string(text.begin(), text.end());
}

bool TCheckList::Checked(int index) const {
    return SendMessageW(handle_, check_list::kGetCheck, static_cast<WPARAM>(index), 0) == 1;
}

void TCheckList::SetChecked(int index, bool checked) {
    SendMessageW(handle_, check_list::kSetCheck, static_cast<WPARAM>(index),
                 (checked ? 1 : 0) | check_list::kQuietly);
}

bool TCheckList::Enabled(int index) const {
    return SendMessageW(handle_, check_list::kGetEnabled, static_cast<WPARAM>(index), 0) == 1;
}

void TCheckList::SetEnabled(int index, bool enabled) {
    SendMessageW(handle_, check_list::kSetEnabled, static_cast<WPARAM>(index), enabled ? 1 : 0);
}

void TCheckList::Exchange(int index1, int index2) {
    SendMessageW(handle_, check_list::kExchange, static_cast<WPARAM>(index1), index2);
}

int TCheckList::Selected() const {
    const LRESULT selected = SendMessageW(handle_, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? kNoSelection : static_cast<int>(selected);
}

} // namespace qrv
