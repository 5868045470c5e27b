#pragma once
// What a screen reader learns of a window through Microsoft Active Accessibility: the object
// of its client area and, for the object itself (child 0) and each of its simple children
// (from 1), the role, name, state and default action. From another process the object comes
// marshalled, as a reader gets it (AccessibleObjectFromWindow); inside the process that owns
// the window a test can ask the window itself (WM_GETOBJECT, ObjectFromLresult).

#include <windows.h>

#include <oleacc.h>

#include <string>

#include "platform/win32/com_ptr.h"

namespace qrv::drive {

// COM for the calling thread, for the scope: an unmarshalled object needs it.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

class Accessible {
public:
    // The object a reader gets for the window's client area. Throws DriverError.
    static Accessible OfWindow(HWND window);
    // The object the window itself answers WM_GETOBJECT with; throws DriverError when it leaves
    // the message to the system.
    static Accessible AskWindow(HWND window);

    long ChildCount() const;
    // Whether the child is a simple element of this object (an entry), not an object of its
    // own (a child window).
    bool IsElement(long child) const;
    long Role(long child = CHILDID_SELF) const;
    std::wstring Name(long child = CHILDID_SELF) const;
    unsigned long State(long child = CHILDID_SELF) const;
    std::wstring DefaultAction(long child = CHILDID_SELF) const;
    void DoDefaultAction(long child = CHILDID_SELF) const;
    // In the system's words: role "name": state, state ("check button "STL": checked,
    // focusable, selectable").
    std::wstring Describe(long child = CHILDID_SELF) const;

private:
    explicit Accessible(IAccessible* taken) : object_(taken) {}

    TComPtr<IAccessible> object_;
};

} // namespace qrv::drive
