#pragma once
// The upper-case mapping of every UTF-16 code unit, built once by the platform layer.

#include <array>

namespace qrv {

using UpperCaseTable = std::array<char16_t, 0x10000>;

const UpperCaseTable& PlatformUpperCaseTable();

} // namespace qrv
