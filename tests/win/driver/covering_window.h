#pragma once
// A window of the test's own in front of every other, as the window of another program that
// the user works in would be: for tests of a program that must come back in front of it. It
// is shown without taking the activation, and a thread of its own answers its messages (a
// program's broadcast waits for every top-level window's answer).

#include <windows.h>

#include <thread>

#include "driver/window.h"

namespace qrv::drive {

class CoveringWindow {
public:
    CoveringWindow();
    ~CoveringWindow();
    CoveringWindow(const CoveringWindow&) = delete;
    CoveringWindow& operator=(const CoveringWindow&) = delete;

    const Window& GetWindow() const { return window_; }

private:
    Window window_;
    std::thread thread_;
};

} // namespace qrv::drive
