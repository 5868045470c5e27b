#pragma once
// Comparing 8-bit names the way Windows compares environment variable and module names here:
// ASCII letters without regard to case, every other byte exactly.

#include <string_view>

namespace qrv {

inline char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace qrv
