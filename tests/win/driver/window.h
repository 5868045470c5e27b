#pragma once
// One window of the program under test, read and driven from outside as a user or a screen
// reader would: texts through WM_GETTEXT, states through the system, actions through messages.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/wait.h"

namespace qrv::drive {

// Which child control to find. Text matches the control's text exactly, or that text with its
// mnemonic marks removed ("&Yes" matches "Yes"). Index counts the matches in z-order (the
// creation order of the controls, for a dialog the tab order), from 0.
struct ControlQuery {
    std::optional<int> id = std::nullopt;
    std::optional<std::wstring> className = std::nullopt; // compared ignoring case
    std::optional<std::wstring> text = std::nullopt;
    int index = 0;

    static ControlQuery ById(int id) { return {.id = id}; }
    static ControlQuery ByClass(std::wstring className, int index = 0) {
        return {.className = std::move(className), .index = index};
    }
    static ControlQuery ByText(std::wstring text, std::optional<std::wstring> className = {}) {
        return {.className = std::move(className), .text = std::move(text)};
    }
    std::string Describe() const;
};

class Window {
public:
    Window() = default;
    explicit Window(HWND handle) : handle_(handle) {}

    HWND Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    bool operator==(const Window&) const = default;

    bool Exists() const;
    std::wstring Text() const;
    std::wstring ClassName() const;
    int Id() const;
    DWORD ProcessId() const;
    bool IsVisible() const; // the window and all its parents are visible
    bool IsEnabled() const;
    bool IsMinimized() const;
    bool IsFocused() const; // has the keyboard focus of its thread
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE of a check box or radio button.
    int CheckState() const;
    bool IsChecked() const { return CheckState() == BST_CHECKED; }
    RECT Rect() const;    // screen coordinates
    POINT Centre() const; // of Rect()
    LONG_PTR Style() const;
    Window Parent() const; // null for a top-level window
    Window Owner() const;
    Window TopLevel() const; // the top-level window this one belongs to, or itself
    // Whether this window's top-level window lies above the other's in the desktop's stacking
    // order: where the programs' own raising and activation put it, whatever the display's
    // focus did after that.
    bool IsAbove(const Window& other) const;

    std::vector<Window> Children() const;    // direct children, in z-order
    std::vector<Window> Descendants() const; // all levels, each parent before its children
    std::optional<Window> FindChild(const ControlQuery& query) const; // at any level
    Window Child(const ControlQuery& query) const; // throws DriverError when there is none
    Window Child(int id) const { return Child(ControlQuery::ById(id)); }
    Window WaitForChild(const ControlQuery& query, Milliseconds timeout = kDefaultTimeout) const;
    // Waits until Text() equals `text`.
    void WaitForText(const std::wstring& text, Milliseconds timeout = kDefaultTimeout) const;

    // Presses a button with BM_CLICK. Returns once the program has handled the click, or as
    // soon as the handler shows a top-level window that was not visible before (a message box,
    // a dialog, a progress window) or disables this window's top-level window (a modal loop),
    // or when the window is gone.
    void Click(Milliseconds timeout = kDefaultTimeout) const;
    // Posts BM_CLICK and returns at once.
    void PostClick() const;
    // Sets the text with WM_SETTEXT (an edit control then reports EN_CHANGE to its parent).
    void SetText(const std::wstring& text, Milliseconds timeout = kDefaultTimeout) const;
    // Posts WM_CLOSE, as the close box of the caption does.
    void Close() const;
    // Minimises or restores through WM_SYSCOMMAND, as the caption buttons do, and waits until
    // the window has changed.
    void Minimize(Milliseconds timeout = kDefaultTimeout) const;
    void Restore(Milliseconds timeout = kDefaultTimeout) const;
    // Makes the window's top-level window the foreground window and waits until it is.
    void BringToFront(Milliseconds timeout = kDefaultTimeout) const;
    // Gives this control the keyboard focus of its thread (and the top-level window the
    // foreground), so that real keyboard input reaches it.
    void Focus(Milliseconds timeout = kDefaultTimeout) const;
    // Sends a message and returns its result; throws TimeoutError when the program does not
    // answer in time. Only for messages without pointers, or with those the system carries
    // across processes (WM_GETTEXT, LB_GETTEXT, ...).
    LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0,
                 Milliseconds timeout = kDefaultTimeout) const;
    void Post(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;

private:
    void RequireExists(const char* action) const;

    HWND handle_ = nullptr;
};

// The foreground window of the desktop (null when there is none).
Window ForegroundWindow();

} // namespace qrv::drive
