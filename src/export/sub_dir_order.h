#pragma once
// The order of the subfolder criteria: element p is the criterion shown at display position
// p of the subfolder list. Always a permutation of the five criteria.

#include "cadlib/sub_dir.h"

#include <array>
#include <string>
#include <vector>

namespace qrv {

using TSubDirOrder = std::array<TSubDir, kSubDirCount>;

inline constexpr TSubDirOrder kEnumerationOrder = {sdWKB, sdCADFormat, sdABC, sdBaureihe, sdPartNo};

// The value of one stored order entry: the entry (converted to the ANSI code page) read as a
// decimal number or as hexadecimal after "$", its low 8 bits; 255 when it does not convert.
uint8_t StoredSubDirValue(const std::u16string& entry);

// Turns stored values into a permutation: the first occurrence of every valid criterion (0
// to 4), in the stored order, then the criteria that are missing, in enumeration order.
// Values that name no criterion (255 for an entry that did not convert, anything above 4)
// and repeated criteria are dropped; so are entries past the fifth criterion found.
TSubDirOrder RepairSubDirOrder(const std::vector<uint8_t>& stored);

} // namespace qrv
