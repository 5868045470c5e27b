#include "platform/win32/message_pump.h"

#include <utility>
#include <vector>

namespace qrv {

namespace {

bool quitSeen = false;
bool keyboardInUse = false;
std::vector<std::pair<HWND, HACCEL>> acceleratorTables;

bool TranslateShortcut(HWND root, MSG& message) {
    for (const auto& [window, table] : acceleratorTables) {
        if (window == root) {
            return TranslateAcceleratorW(root, table, &message) != 0;
        }
    }
    return false;
}

void NoteInput(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        keyboardInUse = true;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        keyboardInUse = false;
        break;
    default:
        break;
    }
}

void Dispatch(MSG& message) {
    NoteInput(message.message);
    const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && (TranslateShortcut(root, message) || IsDialogMessageW(root, &message))) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Keep the request pending, so that a modal loop opened later (a message box)
            // ends at once too, as the program is ending.
            quitSeen = true;
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void RunMessageLoop() {
    MSG message;
    while (!quitSeen) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0 || result == -1) {
            quitSeen = true;
            break;
        }
        Dispatch(message);
    }
}

void RequestTerminate() {
    quitSeen = true;
    PostQuitMessage(0);
}

bool TerminateRequested() {
    return quitSeen;
}

void SetWindowAccelerators(HWND window, HACCEL accelerators) {
    std::erase_if(acceleratorTables, [&](const auto& entry) { return entry.first == window; });
    if (accelerators != nullptr) {
        acceleratorTables.emplace_back(window, accelerators);
    }
}

bool LastInputFromKeyboard() {
    return keyboardInUse;
}

} // namespace qrv
