#pragma once
// Reading the basket and the folders that the catalogue hands over in the process environment.

#include "cadlib/basket.h"
#include "platform/environment.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

// "CADCount" as a signed 32-bit decimal number (optional sign); nothing when it does not
// convert.
std::optional<int32_t> ParseCADCount(std::string_view text);

// Reads everything from the snapshot and appends the basket to the lists: CADCount entries,
// a numbered variable that is not set giving an empty entry. A count that would leave more
// than kMostEmptyEntries entries empty beyond the indexes the environment carries is refused
// with std::length_error before any entry is added.
inline constexpr size_t kMostEmptyEntries = 65536;
void ReadBasketParameters(const TEnvironmentSnapshot& environment, TBasketParameters& basket);

} // namespace qrv
