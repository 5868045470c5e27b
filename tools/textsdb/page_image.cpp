#include "page_image.h"

#include <stdexcept>

namespace qrv::textsdb {

void Put16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* at, std::uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

void Append16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Append16(out, value & 0xFFFF);
    Append16(out, value >> 16);
}

std::uint32_t Get16(const std::uint8_t* at) {
    return at[0] | (at[1] << 8);
}

std::uint32_t PageImage::Allocate() {
    const std::uint32_t page = PageCount();
    bytes_.resize(bytes_.size() + kPageSize);
    return page;
}

std::uint32_t PageImage::AllocateDataPage(std::uint32_t owner) {
    const std::uint32_t page = Allocate();
    std::uint8_t* p = Page(page);
    p[0] = 0x01;
    p[1] = 0x01;
    Put16(p + 2, kPageSize - kDataHeader);
    Put32(p + 4, owner);
    return page;
}

std::uint32_t PageImage::DataFree(std::uint32_t page) {
    const std::uint8_t* p = Page(page);
    const std::uint32_t count = Get16(p + 12);
    const std::uint32_t rowsStart = count == 0 ? kPageSize : (Get16(p + 12 + 2 * count) & 0x1FFF);
    const std::uint32_t used = kDataHeader + 2 * (count + 1);
    return rowsStart > used ? rowsStart - used : 0;
}

std::uint8_t PageImage::AddRow(std::uint32_t page, std::span<const std::uint8_t> row,
                               std::uint16_t flags) {
    if (row.size() > DataFree(page)) {
        throw std::runtime_error("internal: a row does not fit its page");
    }
    std::uint8_t* p = Page(page);
    const std::uint32_t count = Get16(p + 12);
    if (count >= 255) {
        throw std::runtime_error("internal: too many rows on a page");
    }
    const std::uint32_t rowsStart = count == 0 ? kPageSize : (Get16(p + 12 + 2 * count) & 0x1FFF);
    const std::uint32_t start = rowsStart - static_cast<std::uint32_t>(row.size());
    std::copy(row.begin(), row.end(), p + start);
    Put16(p + kDataHeader + 2 * count, start | flags);
    Put16(p + 12, count + 1);
    Put16(p + 2, start - (kDataHeader + 2 * (count + 1)));
    return static_cast<std::uint8_t>(count);
}

} // namespace qrv::textsdb
