#include "driver/input.h"

#include "driver/error.h"
#include "driver/text.h"

namespace qrv::drive {

namespace {

void SendAll(std::vector<INPUT>& inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        ThrowLastError("Sending input");
    }
}

// A mouse event at a point of the primary screen, in the normalised coordinates of
// MOUSEEVENTF_ABSOLUTE (0 to 65535), rounded up so that they map back to the same pixel.
INPUT AbsoluteMouseInput(POINT screenPoint, DWORD flags) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screenPoint.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screenPoint.y * 65536LL + height - 1) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT KeyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

void AddModifiers(std::vector<INPUT>& inputs, unsigned modifiers, DWORD flags) {
    if (modifiers & kShift) {
        inputs.push_back(KeyInput(VK_SHIFT, 0, flags));
    }
    if (modifiers & kControl) {
        inputs.push_back(KeyInput(VK_CONTROL, 0, flags));
    }
    if (modifiers & kAlt) {
        inputs.push_back(KeyInput(VK_MENU, 0, flags));
    }
}

// The target, or a control of it, is the enabled window at the point.
bool LiesAt(const Window& target, POINT screenPoint) {
    const HWND found = WindowFromPoint(screenPoint);
    return found != nullptr && (found == target.Handle() || IsChild(target.Handle(), found));
}

} // namespace

void ClickAt(POINT screenPoint) {
    // Every event carries the position. Under Wine moving the cursor also moves the X pointer,
    // and the X server's motion events for it may reach Wine after later input: a click that
    // relied on the cursor position alone could land where the previous one was.
    const INPUT move = AbsoluteMouseInput(screenPoint, 0);
    std::vector<INPUT> inputs{move, AbsoluteMouseInput(screenPoint, MOUSEEVENTF_LEFTDOWN),
                              AbsoluteMouseInput(screenPoint, MOUSEEVENTF_LEFTUP)};
    SendAll(inputs);
}

void DoubleClickAt(POINT screenPoint) {
    const INPUT down = AbsoluteMouseInput(screenPoint, MOUSEEVENTF_LEFTDOWN);
    const INPUT up = AbsoluteMouseInput(screenPoint, MOUSEEVENTF_LEFTUP);
    std::vector<INPUT> inputs{AbsoluteMouseInput(screenPoint, 0), down, up, down, up};
    SendAll(inputs);
}

void RealClickAt(const Window& target, POINT screenPoint) {
    WaitUntil(
        [&] {
            if (LiesAt(target, screenPoint)) {
                return true;
            }
            // As a user clicks a window's caption first: the window comes to the top.
            SetForegroundWindow(target.TopLevel().Handle());
            return LiesAt(target, screenPoint);
        },
        kDefaultTimeout, "window " + HexText(target.Handle()) + " to lie at the click's point");
    ClickAt(screenPoint);
}

void RealClick(const Window& window) {
    RealClickAt(window, window.Centre());
}

void RealClick(const Window& window, POINT offset) {
    const RECT rect = window.Rect();
    RealClickAt(window, {rect.left + offset.x, rect.top + offset.y});
}

KeyStrokes& KeyStrokes::Press(WORD virtualKey, unsigned modifiers) {
    AddModifiers(inputs_, modifiers, 0);
    inputs_.push_back(KeyInput(virtualKey, 0, 0));
    inputs_.push_back(KeyInput(virtualKey, 0, KEYEVENTF_KEYUP));
    AddModifiers(inputs_, modifiers, KEYEVENTF_KEYUP);
    return *this;
}

KeyStrokes& KeyStrokes::Type(std::wstring_view text) {
    for (const wchar_t c : text) {
        inputs_.push_back(KeyInput(0, c, KEYEVENTF_UNICODE));
        inputs_.push_back(KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    return *this;
}

void KeyStrokes::Send() {
    if (!inputs_.empty()) {
        SendAll(inputs_);
    }
}

void PressKey(WORD virtualKey, unsigned modifiers) {
    KeyStrokes().Press(virtualKey, modifiers).Send();
}

void TypeText(std::wstring_view text) {
    KeyStrokes().Type(text).Send();
}

void RealType(const Window& control, std::wstring_view text) {
    control.Focus();
    TypeText(text);
}

} // namespace qrv::drive
