#pragma once
// The application window: the hidden top-level window that represents the program on the
// taskbar and owns its other windows. It never shows content of its own.

#include <windows.h>

#include <string>

namespace qrv {

class TApplicationWindow {
public:
    void Create(HINSTANCE instance);
    void Destroy();
    HWND Handle() const { return handle_; }

    // The application title, 8-bit text in the ANSI code page.
    void SetTitle(const std::string& title);
    const std::string& Title() const { return title_; }
    std::u16string TitleWide() const;

    // The window that a restore brings back and to the front.
    void SetMainWindow(HWND main) { main_ = main; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void RestoreMainWindow();

    HWND handle_ = nullptr;
    HWND main_ = nullptr;
    std::string title_;
};

TApplicationWindow& ApplicationWindow();

} // namespace qrv
