#pragma once
// Polling with a time limit: the driver watches another process, so it waits by asking again.

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

#include "driver/error.h"

namespace qrv::drive {

using Milliseconds = std::chrono::milliseconds;

inline constexpr Milliseconds kDefaultTimeout{10000};
inline constexpr Milliseconds kPollInterval{20};

// `timeout` stretched by QRV_DRIVE_TIME_SCALE, a whole factor the Wine bench sets where the
// programs run slowly (i686 under user-mode emulation); 1 when unset.
inline Milliseconds Scaled(Milliseconds timeout) {
    static const long factor = [] {
        char value[16] = {};
        const DWORD length = GetEnvironmentVariableA("QRV_DRIVE_TIME_SCALE", value, sizeof value);
        const long parsed = length > 0 && length < sizeof value ? std::atol(value) : 1;
        return parsed > 0 ? parsed : 1;
    }();
    return timeout * factor;
}

// Calls `probe` until it returns an engaged optional and returns its value; throws
// TimeoutError naming `what` when `timeout` has passed. The probe runs at least once. A probe
// that times out itself (a program busy between two pumps answers no message) counts as "not
// yet": the wait's own limit decides.
template <class Probe>
auto WaitForValue(Probe&& probe, Milliseconds timeout, const std::string& what) {
    timeout = Scaled(timeout);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string unanswered;
    for (;;) {
        try {
            if (auto value = probe()) {
                return *std::move(value);
            }
            unanswered.clear();
        } catch (const TimeoutError& error) {
            unanswered = error.what();
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            throw TimeoutError("Timed out after " + std::to_string(timeout.count()) +
                               " ms waiting for " + what +
                               (unanswered.empty() ? "" : " (" + unanswered + ")"));
        }
        Sleep(static_cast<DWORD>(kPollInterval.count()));
    }
}

// Calls `condition` until it returns true; throws TimeoutError naming `what` after `timeout`.
template <class Condition>
void WaitUntil(Condition&& condition, Milliseconds timeout, const std::string& what) {
    WaitForValue(
        [&]() -> std::optional<bool> {
            return condition() ? std::optional<bool>(true) : std::nullopt;
        },
        timeout, what);
}

// Calls `condition` until it returns true, for as long as the awaited work goes on: `progress`
// returns something that changes while it does (the size of a log it writes). Throws
// TimeoutError naming `what` once that has not changed for `stall`: on a busy machine the
// work takes longer, and the wait with it.
template <class Condition, class Progress>
void WaitWhileProgressing(Condition&& condition, Progress&& progress, Milliseconds stall,
                          const std::string& what) {
    stall = Scaled(stall);
    auto seen = progress();
    auto deadline = std::chrono::steady_clock::now() + stall;
    for (;;) {
        try {
            if (condition()) {
                return;
            }
        } catch (const TimeoutError&) {
            // Busy between two pumps: not there yet.
        }
        if (auto now = progress(); now != seen) {
            seen = now;
            deadline = std::chrono::steady_clock::now() + stall;
        } else if (std::chrono::steady_clock::now() >= deadline) {
            throw TimeoutError("Nothing went on for " + std::to_string(stall.count()) +
                               " ms while waiting for " + what);
        }
        Sleep(static_cast<DWORD>(kPollInterval.count()));
    }
}

} // namespace qrv::drive
