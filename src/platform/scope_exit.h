#pragma once
// Runs an action when the scope is left, unless dismissed first. For clean-up on the ways out
// that an exception takes: the normal way calls the action itself and dismisses the guard.

#include <utility>

namespace qrv {

template <typename Action> class TScopeExit {
public:
    explicit TScopeExit(Action action) : action_(std::move(action)) {}
    ~TScopeExit() {
        if (active_) {
            try {
                action_();
            } catch (...) {
                // Already leaving through an exception: the first one is the one to report.
            }
        }
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

    void Dismiss() { active_ = false; }

private:
    Action action_;
    bool active_ = true;
};

} // namespace qrv
