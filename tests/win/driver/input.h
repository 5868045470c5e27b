#pragma once
// Real input, as a user's mouse and keyboard make it (SendInput): for tests that need the
// system's own handling of a click or a key rather than a message sent to one control.
// Input goes to whatever window is under the cursor or has the focus, so these functions first
// bring the target to the front.

#include <windows.h>

#include <string_view>

#include "driver/window.h"

namespace qrv::drive {

// Moves the cursor to a point in screen coordinates (of the primary screen) and presses and
// releases the left button there.
void ClickAt(POINT screenPoint);
// Double-clicks there: both clicks in one batch of input, so that a busy machine cannot put
// more than the double-click time between them.
void DoubleClickAt(POINT screenPoint);
// Brings the window's top-level window to the front and clicks the window's centre
// (or `offset` from its top-left corner).
void RealClick(const Window& window);
void RealClick(const Window& window, POINT offset);

// Types text into the window that has the keyboard focus, one Unicode character at a time.
void TypeText(std::wstring_view text);
// Presses and releases one key (VK_RETURN, VK_ESCAPE, VK_TAB, ...), with Shift, Ctrl or Alt
// held when asked.
enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kControl = 2, kAlt = 4 };
void PressKey(WORD virtualKey, unsigned modifiers = kNoModifier);
// Gives the control the focus and types into it.
void RealType(const Window& control, std::wstring_view text);

} // namespace qrv::drive
