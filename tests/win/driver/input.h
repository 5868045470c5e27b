#pragma once
// Real input, as a user's mouse and keyboard make it (SendInput): for tests that need the
// system's own handling of a click or a key rather than a message sent to one control.
// A click goes to the window under the cursor, so the click functions first make sure that
// the target is the window at that point; keys go to the window with the focus, which the
// test gives it first (Window::Focus, Window::BringToFront).

#include <windows.h>

#include <string_view>
#include <vector>

#include "driver/window.h"

namespace qrv::drive {

// Moves the cursor to a point in screen coordinates (of the primary screen) and presses and
// releases the left button there.
void ClickAt(POINT screenPoint);
// Double-clicks there: both clicks in one batch of input, so that a busy machine cannot put
// more than the double-click time between them.
void DoubleClickAt(POINT screenPoint);
// Clicks the target at a point of the screen once the target is the window there: its
// top-level window raised when another window lies over the point, and the target enabled.
// Which window lies where is the desktop's stacking order, which the programs decide; the
// click does not wait for the display's focus.
void RealClickAt(const Window& target, POINT screenPoint);
// The same at the window's centre, or at `offset` from its top-left corner.
void RealClick(const Window& window);
void RealClick(const Window& window, POINT offset);

enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kControl = 2, kAlt = 4 };

// Key strokes sent as one batch of input, so that nothing comes between them:
// KeyStrokes().Press(VK_HOME).Press(VK_END, kShift).Type(L"x").Send().
class KeyStrokes {
public:
    // One key (VK_RETURN, VK_TAB, ...) pressed and released, with Shift, Ctrl or Alt held.
    KeyStrokes& Press(WORD virtualKey, unsigned modifiers = kNoModifier);
    // Text, one Unicode character at a time.
    KeyStrokes& Type(std::wstring_view text);
    void Send();

private:
    std::vector<INPUT> inputs_;
};

// One key, or a text, into the window that has the keyboard focus.
void PressKey(WORD virtualKey, unsigned modifiers = kNoModifier);
void TypeText(std::wstring_view text);
// Gives the control the focus and types into it.
void RealType(const Window& control, std::wstring_view text);

} // namespace qrv::drive
