#pragma once
// The application window: the hidden top-level window that represents the program on the
// taskbar and owns its other windows. It never shows content of its own. The program entry
// owns it and hands it to the main window.

#include "controls/win32/window_base.h"
#include "export/win32/taskbar_progress.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qrv {

class TApplicationWindow final : public TWindowBase {
public:
    TApplicationWindow() = default;
    // The message boxes have no owner from here on; the window goes with the object.
    ~TApplicationWindow() override;

    // Also makes it the owner of the message boxes while no window of the program is active.
    void Create(HINSTANCE instance);

    // The application title, 8-bit text in the ANSI code page.
    void SetTitle(const std::string& title);
    const std::string& Title() const { return title_; }

    // The window that a restore brings back and to the front.
    void SetMainWindow(HWND main) { main_ = main; }
    // Further windows of the program that come to the front with it while they are shown.
    void AddProgramWindow(HWND window);

    // Restores the main window when it is minimised and brings it and the program's other
    // shown windows to the front of the desktop; the last active of them gets the input.
    void BringProgramWindowsToFront();

    // The export run on the program's taskbar button, which this window owns.
    TExportTaskbarView& TaskbarButton() { return *taskbar_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND main_ = nullptr;
    std::vector<HWND> others_;
    std::string title_;
    std::optional<TTaskbarProgress> taskbar_; // from Create on
};

} // namespace qrv
