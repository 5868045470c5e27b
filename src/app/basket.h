#pragma once
// The basket and the folders that the catalogue hands over in the process environment.

#include "platform/environment.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

struct BasketParameters {
    std::u16string CADENASDir; // FCADENASDir, with a trailing backslash
    std::u16string CADDataDir; // FCADDataDir: library folder followed by "..\..\..\..\"
    std::u16string CADLibDir;  // FCADLibDir, with a trailing backslash
    std::string Language;      // FLanguage, 8-bit as read; "ENGB" when empty
    std::u16string ShopName;   // FShopName, may be empty or blank

    // The five parallel lists; entry i of each belongs to part i.
    std::vector<std::u16string> PartNoList;
    std::vector<std::u16string> TypeList;
    std::vector<std::u16string> ID1List;
    std::vector<std::u16string> ID2List;
    std::vector<std::u16string> CADList;
};

// "CADCount" as a signed 32-bit decimal number (optional sign); nothing when it does not
// convert.
std::optional<int32_t> ParseCADCount(std::string_view text);

// Reads everything from the snapshot and appends the basket to the lists: CADCount entries,
// a numbered variable that is not set giving an empty entry. A count that would leave more
// than kMostEmptyEntries entries empty beyond the indexes the environment carries is refused
// with std::length_error before any entry is added.
inline constexpr size_t kMostEmptyEntries = 65536;
void ReadBasketParameters(const EnvironmentSnapshot& environment, BasketParameters& basket);

} // namespace qrv
