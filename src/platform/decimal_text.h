#pragma once
// A whole number in decimal digits, as the program's texts hold them.

#include <cstdint>
#include <string>

namespace qrv {

inline std::u16string DecimalText(int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace qrv
