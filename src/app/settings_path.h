#pragma once

#include <string>
#include <string_view>

namespace qrv {

// The settings file's path below the user's application-data folder; the main window puts
// that folder in front of it during start-up.
inline constexpr std::u16string_view kSettingsFileRelativePath =
    u"Quellon\\DOVEravar\\doveravar.ini";

// Program-wide full path of the settings file.
std::u16string& SettingsPath();

} // namespace qrv
