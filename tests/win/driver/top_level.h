#pragma once
// The top-level windows of a process: listed, filtered and awaited.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/process.h"
#include "driver/wait.h"
#include "driver/window.h"

namespace qrv::drive {

struct WindowFilter {
    std::optional<std::wstring> className = std::nullopt; // compared ignoring case
    std::optional<std::wstring> caption = std::nullopt;   // compared exactly
    bool visibleOnly = true;

    bool Matches(const Window& window) const;
    std::string Describe() const;
};

// Every top-level window of the process, visible or not, in z-order (topmost first).
// Message-only windows are not top-level windows and are not listed.
std::vector<Window> TopLevelWindows(DWORD processId);
std::vector<Window> FindTopLevelWindows(DWORD processId, const WindowFilter& filter);
Window WaitForTopLevelWindow(DWORD processId, const WindowFilter& filter = {},
                             Milliseconds timeout = kDefaultTimeout);
// Waits until no window of the process matches the filter (for instance a closed dialog).
void WaitForNoTopLevelWindow(DWORD processId, const WindowFilter& filter,
                             Milliseconds timeout = kDefaultTimeout);

// A top-level window seen while a process was watched.
struct SeenWindow {
    Window window;
    std::wstring className;
    std::wstring caption;
    bool wasVisible = false; // seen visible at least once
};

// Watches a process until it ends, polling its top-level windows as fast as it can, and returns
// every window it had meanwhile. Meant for short-lived processes, such as a second copy of a
// program that must end without showing a window; a window shown and hidden again within a
// millisecond or two may escape it. Throws TimeoutError when the process still runs at the end.
std::vector<SeenWindow> WatchTopLevelWindowsUntilExit(const Process& process,
                                                      Milliseconds timeout = kDefaultTimeout);

} // namespace qrv::drive
