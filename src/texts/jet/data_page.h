#pragma once
// Rows on data pages, and row pointers (page number in the high 24 bits, row number in the
// low 8) that lead to them.

#include "texts/jet/page_file.h"

#include <cstdint>

namespace qrv::jet {

struct TRowSlot {
    TSlice bytes;
    bool deleted = false;
    bool overflow = false; // the bytes hold a row pointer to where the row now lives
};

// The number of row slots on a data page (checked against the page size).
std::uint16_t DataPageRowCount(const TSlice& page);

TRowSlot ReadRowSlot(const TSlice& page, std::uint16_t row);

// The row a pointer names; the page must be a data page.
TRowSlot ReadRowAt(const TPageFile& file, std::uint32_t pointer, std::string_view context);

inline std::uint32_t PointerPage(std::uint32_t pointer) {
    return pointer >> 8;
}
inline std::uint8_t PointerRow(std::uint32_t pointer) {
    return pointer & 0xFF;
}

} // namespace qrv::jet
