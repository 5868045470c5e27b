#include "platform/paths.h"

namespace qrv {

std::u16string AddTrailingBackslash(std::u16string_view path) {
    std::u16string result(path);
    if (result.empty() || result.back() != u'\\') {
        result.push_back(u'\\');
    }
    return result;
}

} // namespace qrv
