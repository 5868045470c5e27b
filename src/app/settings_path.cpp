#include "app/settings_path.h"

namespace qrv {

std::u16string& SettingsPath() {
    static std::u16string path(kSettingsFileRelativePath);
    return path;
}

} // namespace qrv
