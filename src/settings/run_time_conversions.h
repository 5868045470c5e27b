#pragma once
// The number and hex conversions of the INI store's typed values, on 8-bit (ANSI) text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qrv {

// A value that cannot be converted to text or back.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An optional sign, then decimal digits within 32 bits, or "$" and at most 32 bits of
// hexadecimal digits (so "$FFFFFFFF" is -1). Nothing else: no blanks, no empty text.
std::optional<int32_t> TryStrToInt(std::string_view text);

// Two upper-case hexadecimal digits per byte.
std::string BinToHex(const uint8_t* bytes, size_t count);
// Decodes at most count bytes from pairs of hexadecimal digits (either case) and stops at the
// first pair that is not one; returns the number of bytes written.
size_t HexToBin(std::string_view text, uint8_t* bytes, size_t count);

} // namespace qrv
