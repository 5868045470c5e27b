#pragma once
// What the program's own controls tell a screen reader through Microsoft Active Accessibility:
// roles, states, names and default actions, worked out from what a control shows. The numbers
// are MSAA's own (oleacc.h), so the Windows layer hands them on as they are.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qrv::accessibility {

enum class TRole : long {
    client = 0x0A,
    list = 0x21,
    staticText = 0x29,
    pushButton = 0x2B,
    checkButton = 0x2C,
};

using TStates = uint32_t;
inline constexpr TStates kUnavailable = 0x1;
inline constexpr TStates kSelected = 0x2;
inline constexpr TStates kFocused = 0x4;
inline constexpr TStates kPressed = 0x8;
inline constexpr TStates kChecked = 0x10;
inline constexpr TStates kReadOnly = 0x40;
inline constexpr TStates kHotTracked = 0x80;
inline constexpr TStates kInvisible = 0x8000;
inline constexpr TStates kOffscreen = 0x10000;
inline constexpr TStates kFocusable = 0x100000;
inline constexpr TStates kSelectable = 0x200000;

// An entry of a check list as the list shows it.
struct TCheckListEntry {
    bool checked = false;
    bool enabled = true;
    bool selected = false;
    bool focused = false; // the list has the focus and its caret is on the entry
    bool visible = true;  // within the list's view, not scrolled away
};
TStates StatesOf(const TCheckListEntry& entry);
// "Check" or "Uncheck", as the system names a check box's action; none for a greyed entry,
// which the user cannot toggle.
std::optional<std::u16string_view> DefaultActionOf(const TCheckListEntry& entry);

struct TPushButton {
    bool enabled = true;
    bool visible = true;
    bool focused = false;
    bool pressed = false;
    bool hot = false; // under the mouse
};
TStates StatesOf(const TPushButton& button);
inline constexpr std::u16string_view kPressAction = u"Press";

struct TStaticText {
    bool visible = true;
};
TStates StatesOf(const TStaticText& text);

// The name the system gives a control after the label before it, and a label after its text:
// the text without the ampersands that mark an access key ("&&" stands for one ampersand).
std::u16string NameFromLabel(std::u16string_view label);

// A list's children are numbered from 1; 0 stands for the list itself (CHILDID_SELF).
inline constexpr long kSelf = 0;
// The entry a child number stands for, if the list has it.
std::optional<int> EntryOfChild(long child, int entryCount);
inline long ChildOfEntry(int entry) {
    return static_cast<long>(entry) + 1;
}

} // namespace qrv::accessibility
