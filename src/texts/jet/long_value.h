#pragma once
// Long values (Memo and OLE columns). The row holds a 12-byte field: a length in the low 30
// bits with the storage kind in the top two (inline, one LVAL row, or a chain of LVAL rows),
// a row pointer to the first LVAL row, and 4 unknown bytes.

#include "texts/jet/page_file.h"

#include <cstdint>
#include <vector>

namespace qrv::jet {

std::vector<std::uint8_t> ReadLongValue(const TSlice& field);

} // namespace qrv::jet
