#include "controls/accessibility.h"

namespace qrv::accessibility {

TStates StatesOf(const TCheckListEntry& entry) {
    TStates states = kSelectable | kFocusable;
    states |= entry.checked ? kChecked : 0;
    states |= entry.enabled ? 0 : kUnavailable;
    states |= entry.selected ? kSelected : 0;
    states |= entry.focused ? kFocused : 0;
    states |= entry.visible ? 0 : kInvisible | kOffscreen;
    return states;
}

std::optional<std::u16string_view> DefaultActionOf(const TCheckListEntry& entry) {
    if (!entry.enabled) {
        return std::nullopt;
    }
    return entry.checked ? u"Uncheck" : u"Check";
}

TStates StatesOf(const TPushButton& button) {
    if (!button.enabled) {
        return kUnavailable | (button.visible ? 0 : kInvisible);
    }
    TStates states = kFocusable;
    states |= button.visible ? 0 : kInvisible;
    states |= button.focused ? kFocused : 0;
    states |= button.pressed ? kPressed : 0;
    states |= button.hot ? kHotTracked : 0;
    return states;
}

TStates StatesOf(const TStaticText& text) {
    return kReadOnly | (text.visible ? 0 : kInvisible);
}

std::u16string NameFromLabel(std::u16string_view label) {
    std::u16string name;
    name.reserve(label.size());
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == u'&' && i + 1 < label.size()) {
            ++i; // the marked character, or the second of "&&"
        }
        name += label[i];
    }
    return name;
}

std::optional<int> EntryOfChild(long child, int entryCount) {
    if (child < 1 || child > entryCount) {
        return std::nullopt;
    }
    return static_cast<int>(child - 1);
}

} // namespace qrv::accessibility
