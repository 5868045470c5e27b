#pragma once

#include <string_view>

namespace qrv {

// The settings file's path below the user's application-data folder; the start-up puts that
// folder in front of it in the session's SettingsPath.
inline constexpr std::u16string_view kSettingsFileRelativePath =
    u"Quellon\\DOVEravar\\doveravar.ini";

} // namespace qrv
