#pragma once

#include <windows.h>

#include <stdexcept>

namespace qrv {

// The description of a registered window class; false when no class of that name exists
// for the module (null: the system's classes).
inline bool FindWindowClass(HINSTANCE instance, const wchar_t* name, WNDCLASSEXW& found) {
    found = WNDCLASSEXW{};
    found.cbSize = sizeof(found);
    return GetClassInfoExW(instance, name, &found) != FALSE;
}

// Registers, once, a class of the module that behaves as the system class `base` but for what
// `procedure` handles itself; `baseProcedure` receives the system class's procedure, which
// `procedure` calls for everything else.
inline void RegisterSuperclass(HINSTANCE instance, const wchar_t* base, const wchar_t* name,
                               WNDPROC procedure, WNDPROC& baseProcedure) {
    WNDCLASSEXW description;
    if (FindWindowClass(instance, name, description)) {
        return;
    }
    if (!FindWindowClass(nullptr, base, description)) {
        throw std::runtime_error("A system window class is missing.");
    }
    baseProcedure = description.lpfnWndProc;
    description.lpfnWndProc = procedure;
    description.hInstance = instance;
    description.lpszClassName = name;
    description.style &= ~CS_GLOBALCLASS;
    if (RegisterClassExW(&description) == 0) {
        throw std::runtime_error("A window class could not be registered.");
    }
}

// A window class of the module for a control of ours.
struct TControlClass {
    const wchar_t* name;
    WNDPROC procedure;
    const wchar_t* cursor = IDC_ARROW;
    UINT style = 0;
    int extraBytes = 0; // per window, for GetWindowLongPtr
};

// Registers the class once; later calls find it registered.
inline void RegisterControlClass(HINSTANCE instance, const TControlClass& control) {
    WNDCLASSEXW description;
    if (FindWindowClass(instance, control.name, description)) {
        return;
    }
    description = WNDCLASSEXW{};
    description.cbSize = sizeof(description);
    description.style = control.style;
    description.lpfnWndProc = control.procedure;
    description.cbWndExtra = control.extraBytes;
    description.hInstance = instance;
    description.hCursor = LoadCursorW(nullptr, control.cursor);
    description.lpszClassName = control.name;
    if (RegisterClassExW(&description) == 0) {
        throw std::runtime_error("A window class could not be registered.");
    }
}

} // namespace qrv
