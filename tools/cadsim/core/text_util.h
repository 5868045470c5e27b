#pragma once
// Small text helpers shared by the simulator's parsers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::cadsim {

// Every piece between separators, empty ones included ("" gives one empty piece).
std::vector<std::u16string> Split(std::u16string_view text, char16_t separator);

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

// Blanks and tabs removed at both ends.
std::u16string_view TrimBlanks(std::u16string_view text);

// A decimal number of at most 32 bits, nothing else (blanks around it allowed).
std::optional<uint32_t> ParseUnsigned(std::u16string_view text);

// A decimal number of 32 bits with an optional leading '-' (blanks around it allowed).
std::optional<int32_t> ParseSigned(std::u16string_view text);

// A number of at most 32 bits, decimal or hexadecimal after "0x" (blanks around it allowed).
std::optional<uint32_t> ParseDecimalOrHex(std::u16string_view text);

// "%XX" (two hexadecimal digits) is the byte XX and the bytes are read as UTF-8, so "%0D%0A"
// is CR LF and "%C3%BC" is U+00FC; every other character stands for itself. nullopt when a
// '%' is not followed by two hexadecimal digits or the bytes are not UTF-8.
std::optional<std::u16string> DecodePercent(std::u16string_view text);

std::u16string NumberText(long long value);

} // namespace qrv::cadsim
