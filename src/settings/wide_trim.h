#pragma once

#include <string_view>

namespace qrv {

// Without leading and trailing blanks and control characters (every unit up to U+0020).
inline std::u16string_view WideTrim(std::u16string_view text) {
    while (!text.empty() && text.front() <= u' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() <= u' ') {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace qrv
