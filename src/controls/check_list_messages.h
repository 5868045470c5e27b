#pragma once
// The messages a check list answers besides those of a list box, and the notifications it
// sends its parent. A check list is a list box (LB_GETCOUNT, LB_GETTEXT, LB_GETCURSEL,
// LB_GETITEMRECT work on it) whose entries carry a check mark and an enabled state; a screen
// reader or a test reads and sets them with these messages. wParam is the entry's index; a bad
// index answers LB_ERR (-1).
//
// The numbers lie above WM_USER: they are private to the check list's window class.

namespace qrv::check_list {

inline constexpr unsigned kUserMessage = 0x0400; // WM_USER

inline constexpr unsigned kGetCheck = kUserMessage + 0x200;   // returns 1 checked, 0 not
inline constexpr unsigned kSetCheck = kUserMessage + 0x201;   // lParam bit 0: checked
inline constexpr unsigned kGetEnabled = kUserMessage + 0x202; // returns 1 enabled, 0 greyed
inline constexpr unsigned kSetEnabled = kUserMessage + 0x203; // lParam bit 0: enabled
// Exchanges the entries wParam and lParam with their marks and states; the selection stays
// with the entry it was on.
inline constexpr unsigned kExchange = kUserMessage + 0x204;

// kSetCheck tells the parent, as a toggle by the user does, unless lParam has this bit.
inline constexpr long kQuietly = 0x2;

// Notifications, in the high word of WM_COMMAND's wParam (list box ones are below 0x100).
inline constexpr unsigned kCheckChanged = 0x0101; // an entry's mark was toggled
inline constexpr unsigned kMouseUp = 0x0102;      // a mouse button was released over the list
// Alt+Up and Alt+Down: the user asks to move the selected entry one place up or down.
inline constexpr unsigned kMoveUpAsked = 0x0103;
inline constexpr unsigned kMoveDownAsked = 0x0104;

} // namespace qrv::check_list
