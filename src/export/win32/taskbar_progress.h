#pragma once
// The run on the program's taskbar button, through the shell's taskbar list (ITaskbarList3):
// its progress, the error state from the first failed part on, the paused state while an
// abort waits, nothing once it has ended. The shell announces the button to the window that
// owns it with the registered message "TaskbarButtonCreated"; the taskbar list is asked for
// only from then on, and what the run shows is sent again whenever the message comes (a
// restarted shell makes the button anew). Without a shell, or when the taskbar list cannot be
// had, nothing is shown there; a call that fails is left at that. The run goes on either way.

#include "export/export_run.h"
#include "platform/win32/com_ptr.h"

#include <windows.h>

#include <shobjidl.h>

#include <optional>

namespace qrv {

class TTaskbarProgress final : public TExportTaskbarView {
public:
    // The window that owns the taskbar button.
    explicit TTaskbarProgress(HWND window) : window_(window) {}

    static UINT ButtonCreatedMessage();
    // The window received ButtonCreatedMessage().
    void ButtonCreated();

    void ShowProgress(int32_t done, int32_t parts, TState state) override;
    void Clear() override;

private:
    struct TShown {
        int32_t done = 0;
        int32_t parts = 0;
        TState state = TState::normal;
    };
    // Sends what the button does not show yet.
    void Update();

    HWND window_;
    TComPtr<ITaskbarList3> list_;
    std::optional<TShown> wanted_; // nothing: no run
    std::optional<TShown> shown_;
};

} // namespace qrv
