#include "driver/top_level.h"

#include <algorithm>
#include <chrono>

#include "driver/text.h"

namespace qrv::drive {

namespace {

struct Search {
    DWORD process_id;
    std::vector<Window> found;
};

BOOL CALLBACK CollectWindow(HWND handle, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner_process = 0;
    GetWindowThreadProcessId(handle, &owner_process);
    if (owner_process == search->process_id) {
        search->found.emplace_back(handle);
    }
    return TRUE;
}

} // namespace

bool WindowFilter::Matches(const Window& window) const {
    if (visible_only && !window.IsVisible()) {
        return false;
    }
    if (class_name && CompareStringOrdinal(window.ClassName().c_str(), -1, class_name->c_str(), -1,
                                           TRUE) != CSTR_EQUAL) {
        return false;
    }
    return !caption || window.Text() == *caption;
}

std::string WindowFilter::Describe() const {
    std::string text = visible_only ? "a visible top-level window" : "a top-level window";
    if (class_name) {
        text += " of class " + ToUtf8(*class_name);
    }
    if (caption) {
        text += " with caption \"" + ToUtf8(*caption) + "\"";
    }
    return text;
}

std::vector<Window> TopLevelWindows(DWORD process_id) {
    Search search{process_id, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<Window> FindTopLevelWindows(DWORD process_id, const WindowFilter& filter) {
    std::vector<Window> matching;
    for (const Window& window : TopLevelWindows(process_id)) {
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

Window WaitForTopLevelWindow(DWORD process_id, const WindowFilter& filter, Milliseconds timeout) {
    return WaitForValue(
        [&]() -> std::optional<Window> {
            const auto matching = FindTopLevelWindows(process_id, filter);
            return matching.empty() ? std::nullopt : std::optional<Window>(matching.front());
        },
        timeout, filter.Describe() + " of process " + std::to_string(process_id));
}

void WaitForNoTopLevelWindow(DWORD process_id, const WindowFilter& filter, Milliseconds timeout) {
    WaitUntil([&] { return FindTopLevelWindows(process_id, filter).empty(); }, timeout,
              "no " + filter.Describe().substr(2) + " of process " + std::to_string(process_id));
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
                wchar_t class_name[256] = L"";
                wchar_t caption[512] = L"";
                GetClassNameW(window.Handle(), class_name, 256);
                GetWindowTextW(window.Handle(), caption, 512);
                seen.push_back({window, class_name, caption, false});
                known = seen.end() - 1;
            }
            known->was_visible = known->was_visible || window.IsVisible();
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
