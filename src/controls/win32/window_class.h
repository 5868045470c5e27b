#pragma once

#include <windows.h>

namespace qrv {

// The description of a registered window class; false when no class of that name exists
// for the module (null: the system's classes).
inline bool FindWindowClass(HINSTANCE instance, const wchar_t* name, WNDCLASSEXW& found) {
    found = WNDCLASSEXW{};
    found.cbSize = sizeof(found);
    return GetClassInfoExW(instance, name, &found) != FALSE;
}

} // namespace qrv
