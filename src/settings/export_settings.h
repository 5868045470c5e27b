#pragma once
// The export settings file: the user's choices and the CAD start time-out.

#include <cstdint>
#include <string>

namespace qrv {

inline constexpr int32_t kDefaultStartTimeoutSeconds = 120;

// Seconds to wait for the CAD system to start: "StartPDataMgrTimeoutSeconds" of section
// "System" (decimal, or hexadecimal after "$" or "0x"), 120 when absent or unreadable.
int32_t ReadStartTimeout(const std::u16string& settingsPath);

} // namespace qrv
