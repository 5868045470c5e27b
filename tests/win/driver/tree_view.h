#pragma once
// A tree view of another process (the folder dialog's), read as a screen reader would: the
// selected item, its text, its first child. Item texts are read through memory lent in the
// other process, since a tree view's item messages carry pointers the system does not copy.
// Both processes must be of the same architecture.

#include <string>

#include "driver/window.h"

namespace qrv::drive {

class TreeView {
public:
    explicit TreeView(Window window) : window_(window) {}

    const Window& GetWindow() const { return window_; }
    // Item handles as the control gives them; 0 for none.
    LPARAM Selected() const;
    LPARAM FirstChild(LPARAM item) const;
    std::wstring Text(LPARAM item) const;
    std::wstring SelectedText() const { return Text(Selected()); }

private:
    Window window_;
};

} // namespace qrv::drive
