#include "driver/list_box.h"

#include <algorithm>

#include "driver/error.h"

namespace qrv::drive {

int ListBox::Count() const {
    const auto count = static_cast<int>(window_.Send(LB_GETCOUNT));
    if (count < 0) {
        throw DriverError("The window is not a list box (LB_GETCOUNT failed)");
    }
    return count;
}

void ListBox::RequireIndex(int index) const {
    const int count = Count();
    if (index < 0 || index >= count) {
        throw DriverError("No list entry " + std::to_string(index) + " (the list has " +
                          std::to_string(count) + ")");
    }
}

std::wstring ListBox::Item(int index) const {
    RequireIndex(index);
    const auto length = static_cast<int>(window_.Send(LB_GETTEXTLEN, static_cast<WPARAM>(index)));
    if (length < 0) {
        throw DriverError("LB_GETTEXTLEN failed for entry " + std::to_string(index));
    }
    // The program may move its entries between the two messages (a test reads the list while
    // its keys reorder it), and LB_GETTEXT brings the entry's whole new text: room for any entry
    // of ours, so that a longer one cannot run past the buffer.
    std::wstring text(std::max<size_t>(static_cast<size_t>(length), kLongestEntry) + 1, L'\0');
    const auto copied = static_cast<int>(window_.Send(LB_GETTEXT, static_cast<WPARAM>(index),
                                                      reinterpret_cast<LPARAM>(text.data())));
    if (copied < 0) {
        throw DriverError("LB_GETTEXT failed for entry " + std::to_string(index));
    }
    // Up to the end of what arrived: a text that changed again while it was copied ends early.
    text.resize(std::min(static_cast<size_t>(copied), text.find(L'\0')));
    return text;
}

std::vector<std::wstring> ListBox::Items() const {
    std::vector<std::wstring> items;
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        items.push_back(Item(i));
    }
    return items;
}

int ListBox::Selection() const {
    return static_cast<int>(window_.Send(LB_GETCURSEL));
}

RECT ListBox::ItemRect(int index) const {
    RequireIndex(index);
    // Computed from the entry height and the first visible entry: LB_GETITEMRECT would need
    // a pointer into this process.
    const auto top = static_cast<int>(window_.Send(LB_GETTOPINDEX));
    const auto height =
        static_cast<int>(window_.Send(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
    RECT client{};
    GetClientRect(window_.Handle(), &client);
    if (index < top || (index - top) * height >= client.bottom) {
        throw DriverError("List entry " + std::to_string(index) + " is scrolled out of view");
    }
    POINT origin{0, (index - top) * height};
    ClientToScreen(window_.Handle(), &origin);
    return {origin.x, origin.y, origin.x + client.right, origin.y + height};
}

LRESULT CheckList::Query(UINT message, int index, LPARAM lparam) const {
    RequireIndex(index);
    const LRESULT result = window_.Send(message, static_cast<WPARAM>(index), lparam);
    if (result == LB_ERR) {
        throw DriverError("The check list refused message " + std::to_string(message) +
                          " for entry " + std::to_string(index));
    }
    return result;
}

bool CheckList::IsChecked(int index) const {
    return Query(messages_.getCheck, index) != 0;
}

void CheckList::SetChecked(int index, bool checked) const {
    Query(messages_.setCheck, index, checked ? 1 : 0);
}

bool CheckList::IsEntryEnabled(int index) const {
    return Query(messages_.getEnabled, index) != 0;
}

void CheckList::SetEntryEnabled(int index, bool enabled) const {
    Query(messages_.setEnabled, index, enabled ? 1 : 0);
}

std::vector<bool> CheckList::CheckStates() const {
    std::vector<bool> states;
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        states.push_back(IsChecked(i));
    }
    return states;
}

std::vector<std::wstring> CheckList::CheckedItems() const {
    std::vector<std::wstring> checked;
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        if (IsChecked(i)) {
            checked.push_back(Item(i));
        }
    }
    return checked;
}

} // namespace qrv::drive
