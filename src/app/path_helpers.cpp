#include "app/path_helpers.h"

namespace qrv {

std::u16string AddTrailingBackslash(std::u16string_view path) {
    std::u16string result(path);
    if (result.empty() || result.back() != u'\\') {
        result.push_back(u'\\');
    }
    return result;
}

std::u16string& SettingsPath() {
    static std::u16string path(kSettingsFileRelativePath);
    return path;
}

} // namespace qrv
