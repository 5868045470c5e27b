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

std::u16string NumberText(long long value);

} // namespace qrv::cadsim
