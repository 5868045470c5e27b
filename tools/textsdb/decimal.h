#pragma once
// Jet's Decimal value (column type 0x10, 17 bytes): a sign byte (bit 0x80 set: negative),
// then a 128-bit unsigned integer as four 32-bit little-endian words, the most significant
// word first. The column's scale places the decimal point.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qrv::textsdb {

inline constexpr std::size_t kDecimalBytes = 17;

// "-12.5" for a column of scale 2 is -1250. Throws std::runtime_error for text that is no
// decimal number, that has more digits after the point than the scale or more digits in all
// than the precision.
std::array<std::uint8_t, kDecimalBytes> EncodeDecimal(std::string_view text, std::uint8_t precision,
                                                      std::uint8_t scale);

// The value with exactly `scale` digits after the point ("-12.50"); none and no point for
// scale 0; at least one digit before the point. A set sign bit gives "-" even on zero
// ("-0.00"), as mdb-export prints it; Jet itself writes zero as positive.
std::string FormatDecimal(std::span<const std::uint8_t, kDecimalBytes> bytes, std::uint8_t scale);

} // namespace qrv::textsdb
