#pragma once

#include <string>
#include <string_view>

namespace qrv {

// A path whose last character is not "\" gets one appended; the empty path gives "\".
std::u16string AddTrailingBackslash(std::u16string_view path);

// The settings file's path below the user's application-data folder; the main window puts
// that folder in front of it during start-up.
inline constexpr std::u16string_view kSettingsFileRelativePath =
    u"Quellon\\DOVEravar\\doveravar.ini";

// Program-wide full path of the settings file.
std::u16string& SettingsPath();

} // namespace qrv
