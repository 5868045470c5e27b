#pragma once
// The file being written: an array of 4096-byte pages, with little-endian stores and data
// pages that fill rows from the end towards the header.

#include <cstdint>
#include <span>
#include <vector>

namespace qrv::textsdb {

inline constexpr std::uint32_t kPageSize = 4096;
inline constexpr std::uint32_t kDataHeader = 14; // up to the first row offset
inline constexpr std::uint32_t kRowCapacity = kPageSize - kDataHeader - 2; // one row alone
inline constexpr std::uint32_t kLvalMarker = 0x4C41564C;                   // "LVAL"

class PageImage {
public:
    std::uint32_t Allocate(); // a zeroed page at the end
    std::uint32_t PageCount() const {
        return static_cast<std::uint32_t>(bytes_.size() / kPageSize);
    }
    std::uint8_t* Page(std::uint32_t page) { return bytes_.data() + std::size_t{page} * kPageSize; }
    std::vector<std::uint8_t> Release() { return std::move(bytes_); }

    // A data page owned by `owner` (a table definition page or kLvalMarker).
    std::uint32_t AllocateDataPage(std::uint32_t owner);
    // Free bytes for one more row on a data page.
    std::uint32_t DataFree(std::uint32_t page);
    // Adds a row with the given offset flags; returns its row number. The row must fit.
    std::uint8_t AddRow(std::uint32_t page, std::span<const std::uint8_t> row,
                        std::uint16_t flags = 0);

private:
    std::vector<std::uint8_t> bytes_;
};

void Put16(std::uint8_t* at, std::uint32_t value);
void Put32(std::uint8_t* at, std::uint32_t value);
void Append16(std::vector<std::uint8_t>& out, std::uint32_t value);
void Append32(std::vector<std::uint8_t>& out, std::uint32_t value);
std::uint32_t Get16(const std::uint8_t* at);

inline std::uint32_t RowPointer(std::uint32_t page, std::uint8_t row) {
    return (page << 8) | row;
}

} // namespace qrv::textsdb
