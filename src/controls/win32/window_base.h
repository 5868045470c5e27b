#pragma once
// The plumbing every window of the program shares: its class is registered once, the object
// is kept with the window, messages go to the object's HandleMessage, and an exception that
// leaves a handler is shown by the general error report while the program goes on.

#include <windows.h>

namespace qrv {

class TWindowBase {
public:
    TWindowBase() = default;
    TWindowBase(const TWindowBase&) = delete;
    TWindowBase& operator=(const TWindowBase&) = delete;
    virtual ~TWindowBase();

    HWND Handle() const { return handle_; }
    bool Exists() const { return handle_ != nullptr; }

protected:
    struct TWindowClass {
        const wchar_t* name;
        HBRUSH background = nullptr;
        HICON icon = nullptr;
        UINT style = 0;
    };
    struct TPlacement {
        int x = CW_USEDEFAULT;
        int y = CW_USEDEFAULT;
        int width = CW_USEDEFAULT;
        int height = CW_USEDEFAULT;
    };

    // Creates the window; messages reach HandleMessage from WM_NCCREATE on. Raises
    // std::runtime_error when the window cannot be created.
    void CreateWindowOf(HINSTANCE instance, const TWindowClass& windowClass, DWORD exStyle,
                        const wchar_t* caption, DWORD style, TPlacement placement, HWND owner);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // What every window does with a message it leaves: owner-drawn controls draw themselves,
    // the window, its labels and fields get a white background (the high-contrast theme's
    // colours while it is on), the rest goes to the system.
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

    // Destroys the window without its messages reaching the object: for a destructor, while
    // the object is no longer whole.
    void DestroyQuietly();

    // The procedure that forwards to the object; a window whose procedure was replaced calls
    // it as the previous one.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND handle_ = nullptr;
};

} // namespace qrv
