#pragma once
// Pumping: handle every window message that is waiting, then go on. Used at the fixed
// points where long work lets the windows live.

#include <windows.h>

namespace qrv {

// Handles all waiting messages (dialog navigation included) and returns. A WM_QUIT that it
// meets is remembered and stays pending.
void PumpMessages();
// Runs the message loop until WM_QUIT (returns at once when one was already seen).
void RunMessageLoop();
// Asks the program to end once control returns to the message loop.
void RequestTerminate();
bool TerminateRequested();

// A window's keyboard shortcuts: while the window has the input, the pump turns a shortcut's
// keys into the window's command (TranslateAccelerator). Null takes them away again; the table
// stays the caller's.
void SetWindowAccelerators(HWND window, HACCEL accelerators);

// Whether the last key press or mouse click that the pump handed on was a key press: the
// keyboard is in use, and focus cues are for its user.
bool LastInputFromKeyboard();

} // namespace qrv
