#include "texts/jet/data_page.h"

#include "texts/jet/layout.h"

namespace qrv::jet {

std::uint16_t DataPageRowCount(const TSlice& page) {
    const std::uint16_t count = page.U16(kJet4Pages.dataRowCountOffset);
    if (kJet4Pages.dataRowOffsetsOffset + 2u * count > page.Size()) {
        page.Fail("a data page claims " + std::to_string(count) + " rows, more than fit");
    }
    return count;
}

TRowSlot ReadRowSlot(const TSlice& page, std::uint16_t row) {
    const std::uint32_t rowsOffset = kJet4Pages.dataRowOffsetsOffset;
    const std::uint16_t count = DataPageRowCount(page);
    if (row >= count) {
        page.Fail("row " + std::to_string(row) + " does not exist on its page (" +
                  std::to_string(count) + " rows)");
    }
    const std::uint16_t entry = page.U16(rowsOffset + 2u * row);
    const std::size_t start = entry & kRowOffsetMask;
    const std::size_t end =
        row == 0 ? page.Size() : (page.U16(rowsOffset + 2u * (row - 1)) & kRowOffsetMask);
    const std::size_t headerEnd = rowsOffset + 2u * count;
    const bool deleted = (entry & kRowDeleted) != 0;
    if (start < headerEnd || start > end || end > page.Size()) {
        if (deleted) {
            return TRowSlot{page.Sub(0, 0), true, false};
        }
        page.Fail("row " + std::to_string(row) + " has a bad position (" + std::to_string(start) +
                  " to " + std::to_string(end) + ")");
    }
    return TRowSlot{page.Sub(start, end - start), deleted, (entry & kRowOverflow) != 0};
}

TRowSlot ReadRowAt(const TPageFile& file, std::uint32_t pointer, std::string_view context) {
    const TSlice page = file.Page(PointerPage(pointer), context);
    if (page.U8(0) != static_cast<std::uint8_t>(TPageType::Data)) {
        page.Fail("page " + std::to_string(PointerPage(pointer)) + " is not a data page");
    }
    return ReadRowSlot(page, PointerRow(pointer));
}

} // namespace qrv::jet
