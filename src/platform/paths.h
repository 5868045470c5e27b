#pragma once

#include <string>
#include <string_view>

namespace qrv {

// A path whose last character is not "\" gets one appended; the empty path gives "\".
std::u16string AddTrailingBackslash(std::u16string_view path);

} // namespace qrv
