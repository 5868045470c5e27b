#pragma once
// The upper-case mapping of every UTF-16 code unit, built once by the platform layer.

#include <array>

namespace qrv {

using TUpperCaseTable = std::array<char16_t, 0x10000>;

const TUpperCaseTable& PlatformUpperCaseTable();

} // namespace qrv
