#include "app/win32/application_window.h"

#include "app/main_window_ids.h"
#include "controls/win32/message_boxes.h"
#include "platform/ansi.h"

namespace qrv {

void TApplicationWindow::Create(HINSTANCE instance) {
    // Zero size, so that showing it adds a taskbar entry and nothing on the screen.
    CreateWindowOf(
        instance,
        {.name = ids::kApplicationWindowClass, .icon = LoadIconW(instance, MAKEINTRESOURCEW(1))}, 0,
        L"", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
        {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0}, nullptr);
    taskbar_.emplace(Handle());
    SetMessageBoxOwner(Handle());
}

TApplicationWindow::~TApplicationWindow() {
    SetMessageBoxOwner(nullptr);
}

void TApplicationWindow::SetTitle(const std::string& title) {
    title_ = title;
    SetMessageBoxTitle(FromAnsi(title_));
    if (Handle() != nullptr) {
        SetWindowTextA(Handle(), title_.c_str());
    }
}

void TApplicationWindow::AddProgramWindow(HWND window) {
    others_.push_back(window);
}

void TApplicationWindow::BringProgramWindowsToFront() {
    if (main_ == nullptr || !IsWindow(main_)) {
        return;
    }
    // Already in front (a run asks twice a part): nothing to do, and no work for the display.
    // Every window of the program, dialogs and message boxes included, is owned by this one.
    const HWND foreground = GetForegroundWindow();
    const bool ours = foreground != nullptr &&
                      (foreground == Handle() || GetAncestor(foreground, GA_ROOTOWNER) == Handle());
    if (ours && !IsIconic(main_)) {
        return;
    }
    if (IsIconic(main_)) {
        ShowWindow(main_, SW_RESTORE);
    }
    SetWindowPos(main_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (const HWND window : others_) {
        if (IsWindow(window) && IsWindowVisible(window)) {
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    // The input goes back to the window of the program that had it last.
    HWND active = Handle() != nullptr ? GetLastActivePopup(Handle()) : nullptr;
    if (active == nullptr || active == Handle() || !IsWindowVisible(active) ||
        !IsWindowEnabled(active)) {
        active = main_;
    }
    SetForegroundWindow(active);
}

LRESULT TApplicationWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTaskbarProgress::ButtonCreatedMessage() && taskbar_) {
        taskbar_->ButtonCreated();
        return 0;
    }
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_RESTORE) {
            if (IsIconic(Handle())) {
                ShowWindow(Handle(), SW_RESTORE);
            }
            BringProgramWindowsToFront();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // The application window never keeps the activation: it passes it to the main window.
        if (LOWORD(wParam) != WA_INACTIVE && main_ != nullptr && IsWindowVisible(main_) &&
            IsWindowEnabled(main_)) {
            SetForegroundWindow(main_);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (main_ != nullptr && IsWindow(main_)) {
            PostMessageW(main_, WM_CLOSE, 0, 0);
        }
        return 0;
    default:
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

} // namespace qrv
