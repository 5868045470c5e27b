#include "check_list.h"

#include "driver/check_list_messages.h"

namespace qrv::fixture {

namespace {

constexpr LPARAM kChecked = 1;
constexpr LPARAM kDisabled = 2;
constexpr wchar_t kPreviousProcedure[] = L"QrvFixtureCheckListProcedure";
const drive::CheckListMessages kMessages;

LPARAM Flags(HWND list, WPARAM index) {
    return SendMessageW(list, LB_GETITEMDATA, index, 0);
}

void SetFlag(HWND list, WPARAM index, LPARAM flag, bool on) {
    const LPARAM flags = Flags(list, index);
    SendMessageW(list, LB_SETITEMDATA, index, on ? (flags | flag) : (flags & ~flag));
    RECT rect;
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    InvalidateRect(list, &rect, TRUE);
}

bool ValidIndex(HWND list, WPARAM index) {
    return index < static_cast<WPARAM>(SendMessageW(list, LB_GETCOUNT, 0, 0));
}

LRESULT CALLBACK CheckListProcedure(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(list, kPreviousProcedure));
    if (message == kMessages.get_check || message == kMessages.get_enabled ||
        message == kMessages.set_check || message == kMessages.set_enabled) {
        if (!ValidIndex(list, wparam)) {
            return LB_ERR;
        }
        if (message == kMessages.get_check) {
            return (Flags(list, wparam) & kChecked) ? 1 : 0;
        }
        if (message == kMessages.get_enabled) {
            return (Flags(list, wparam) & kDisabled) ? 0 : 1;
        }
        if (message == kMessages.set_check) {
            SetFlag(list, wparam, kChecked, lparam != 0);
        } else {
            SetFlag(list, wparam, kDisabled, lparam == 0);
        }
        return 0;
    }
    if (message == WM_LBUTTONDOWN) {
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lparam);
        const WPARAM index = LOWORD(hit);
        if (HIWORD(hit) == 0 && ValidIndex(list, index) && !(Flags(list, index) & kDisabled)) {
            SetFlag(list, index, kChecked, !(Flags(list, index) & kChecked));
        }
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(list, kPreviousProcedure);
    }
    return CallWindowProcW(previous, list, message, wparam, lparam);
}

} // namespace

HWND CreateCheckList(HWND parent, int id, int x, int y, int width, int height) {
    HWND list = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY, x, y,
        width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SetPropW(list, kPreviousProcedure,
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(list, GWLP_WNDPROC)));
    SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CheckListProcedure));
    return list;
}

void AddCheckListEntry(HWND list, const wchar_t* text, bool checked, bool enabled) {
    const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index),
                 (checked ? kChecked : 0) | (enabled ? 0 : kDisabled));
}

void DrawCheckListEntry(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const bool disabled = item.itemData & kDisabled;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    RECT box = item.rcItem;
    box.right = box.left + (box.bottom - box.top);
    DrawFrameControl(item.hDC, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | ((item.itemData & kChecked) ? DFCS_CHECKED : 0) |
                         (disabled ? DFCS_INACTIVE : 0));
    wchar_t text[256] = L"";
    SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
    RECT text_rect = item.rcItem;
    text_rect.left = box.right + 4;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, text, -1, &text_rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace qrv::fixture
