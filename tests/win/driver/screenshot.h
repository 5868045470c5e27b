#pragma once
// A picture of the whole display, for the record of a test run or the demo.
//
// Under Wine the driver starts ImageMagick's `import` on the Linux side (Wine runs a Linux
// program when CreateProcess names one) with the display in DISPLAY. Wine gives no usable
// process handle for a Linux program, so the picture is written under a temporary name and
// renamed when complete, and the driver waits for the final name.

#include <string>

#include "driver/wait.h"

namespace qrv::drive {

// Writes a PNG file of the display. `pngPath` is a Windows path. Throws DriverError outside
// Wine or without DISPLAY, TimeoutError when no picture appears in time.
void TakeScreenshot(const std::wstring& pngPath, Milliseconds timeout = Milliseconds(20000));

} // namespace qrv::drive
