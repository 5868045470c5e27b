#pragma once
// Owner-drawn controls of ours draw themselves: the window that gets WM_DRAWITEM for one
// hands it back to the control as kReflectedDrawItem.

#include <windows.h>

namespace qrv {

inline constexpr UINT kReflectedDrawItem = WM_USER + 0x1C00 + WM_DRAWITEM;

// Hands a WM_DRAWITEM to the control it is about; returns what the control answers.
inline LRESULT ReflectDrawItem(LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    return item->hwndItem != nullptr ? SendMessageW(item->hwndItem, kReflectedDrawItem, 0, lParam)
                                     : FALSE;
}

} // namespace qrv
