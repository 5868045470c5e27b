#pragma once
// A list box with a check mark and an enabled state per entry, answering the driver's check
// list messages. Clicking an enabled entry toggles its mark.

#include <windows.h>

namespace qrv::fixture {

HWND CreateCheckList(HWND parent, int id, int x, int y, int width, int height);
void AddCheckListEntry(HWND list, const wchar_t* text, bool checked, bool enabled);
// Draws an entry; the parent calls it for WM_DRAWITEM of the list.
void DrawCheckListEntry(const DRAWITEMSTRUCT& item);

} // namespace qrv::fixture
