#include "driver/top_level.h"

#include <algorithm>
#include <chrono>

#include "driver/text.h"

namespace qrv::drive {

namespace {

struct Search {
    DWORD processId;
    std::vector<Window> found;
};

BOOL CALLBACK CollectWindow(HWND handle, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD ownerProcess = 0;
    GetWindowThreadProcessId(handle, &ownerProcess);
    if (ownerProcess == search->processId) {
        search->found.emplace_back(handle);
    }
    return TRUE;
}

} // namespace

bool WindowFilter::Matches(const Window& window) const {
    if (visibleOnly && !window.IsVisible()) {
        return false;
    }
    if (className && CompareStringOrdinal(window.ClassName().c_str(), -1, className->c_str(), -1,
                                          TRUE) != CSTR_EQUAL) {
        return false;
    }
    return !caption || window.Text() == *caption;
}

std::string WindowFilter::Describe() const {
    std::string text = visibleOnly ? "a visible top-level window" : "a top-level window";
    if (className) {
        text += " of class " + ToUtf8(*className);
    }
    if (caption) {
        text += " with caption \"" + ToUtf8(*caption) + "\"";
    }
    return text;
}

std::vector<Window> TopLevelWindows(DWORD processId) {
    Search search{processId, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<Window> FindTopLevelWindows(DWORD processId, const WindowFilter& filter) {
    std::vector<Window> matching;
    for (const Window& window : TopLevelWindows(processId)) {
        try {
            if (filter.Matches(window)) {
                matching.push_back(window);
            }
        } catch (const DriverError&) {
            // The window went away while it was read.
        }
    }
    return matching;
}

Window WaitForTopLevelWindow(DWORD processId, const WindowFilter& filter, Milliseconds timeout) {
    return WaitForValue(
        [&]() -> std::optional<Window> {
            const auto matching = FindTopLevelWindows(processId, filter);
            return matching.empty() ? std::nullopt : std::optional<Window>(matching.front());
        },
        timeout, filter.Describe() + " of process " + std::to_string(processId));
}

void WaitForNoTopLevelWindow(DWORD processId, const WindowFilter& filter, Milliseconds timeout) {
    WaitUntil([&] { return FindTopLevelWindows(processId, filter).empty(); }, timeout,
              "no " + filter.Describe().substr(2) + " of process " + std::to_string(processId));
}

std::vector<SeenWindow> WatchTopLevelWindowsUntilExit(const Process& process,
                                                      Milliseconds timeout) {
    std::vector<SeenWindow> seen;
    auto record = [&] {
        for (const Window& window : TopLevelWindows(process.Id())) {
            auto known = std::find_if(seen.begin(), seen.end(), [&](const SeenWindow& entry) {
                return entry.window == window;
            });
            if (known == seen.end()) {
                // GetWindowText reads another process's caption without asking that process,
                // which may be busy or ending.
                wchar_t className[256] = L"";
                wchar_t caption[512] = L"";
                GetClassNameW(window.Handle(), className, 256);
                GetWindowTextW(window.Handle(), caption, 512);
                seen.push_back({window, className, caption, false});
                known = seen.end() - 1;
            }
            known->wasVisible = known->wasVisible || window.IsVisible();
        }
    };
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (process.IsRunning()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            throw TimeoutError("Timed out after " + std::to_string(timeout.count()) +
                               " ms waiting for process " + std::to_string(process.Id()) +
                               " to end");
        }
        record();
        Sleep(1);
    }
    return seen;
}

} // namespace qrv::drive
