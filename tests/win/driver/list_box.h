#pragma once
// List boxes and the program's check lists, read from outside.

#include <string>
#include <vector>

#include "driver/check_list_messages.h"
#include "driver/window.h"

namespace qrv::drive {

class ListBox {
public:
    explicit ListBox(Window window) : window_(window) {}

    const Window& GetWindow() const { return window_; }
    int Count() const;
    std::wstring Item(int index) const; // LB_GETTEXT; throws DriverError for a bad index
    std::vector<std::wstring> Items() const;
    int Selection() const; // LB_GETCURSEL: -1 when nothing is selected
    // Screen rectangle of an entry that is scrolled into view.
    RECT ItemRect(int index) const;

protected:
    void RequireIndex(int index) const;

    static constexpr size_t kLongestEntry = 4096; // characters, far beyond any caption

    Window window_;
};

class CheckList : public ListBox {
public:
    explicit CheckList(Window window, CheckListMessages messages = {})
        : ListBox(window), messages_(messages) {}

    bool IsChecked(int index) const;
    void SetChecked(int index, bool checked) const;
    bool IsEntryEnabled(int index) const;
    void SetEntryEnabled(int index, bool enabled) const;
    std::vector<bool> CheckStates() const;
    std::vector<std::wstring> CheckedItems() const;

private:
    LRESULT Query(UINT message, int index, LPARAM lparam = 0) const;

    CheckListMessages messages_;
};

} // namespace qrv::drive
