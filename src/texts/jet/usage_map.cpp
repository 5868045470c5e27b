#include "texts/jet/usage_map.h"

#include "texts/jet/data_page.h"
#include "texts/jet/layout.h"

namespace qrv::jet {

namespace {

constexpr std::uint8_t kInlineMap = 0x00;
constexpr std::uint8_t kReferenceMap = 0x01;
constexpr std::size_t kUsageMapPageHeader = 4;

void AddBits(const TSlice& bitmap, std::uint64_t firstPage, const TPageFile& file,
             std::vector<std::uint32_t>& pages) {
    const auto bytes = bitmap.Bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == 0) {
            continue;
        }
        for (int bit = 0; bit < 8; ++bit) {
            if ((bytes[i] >> bit) & 1) {
                const std::uint64_t page = firstPage + i * 8 + bit;
                if (page >= file.PageCount()) {
                    bitmap.Fail("the usage map marks page " + std::to_string(page) +
                                ", beyond the end of the file");
                }
                pages.push_back(static_cast<std::uint32_t>(page));
            }
        }
    }
}

} // namespace

std::vector<std::uint32_t> ReadUsageMap(const TPageFile& file, std::uint32_t pointer,
                                        std::string_view context) {
    const TRowSlot slot = ReadRowAt(file, pointer, context);
    const TSlice& map = slot.bytes;
    std::vector<std::uint32_t> pages;
    switch (map.U8(0)) {
    case kInlineMap: {
        const std::uint32_t firstPage = map.U32(1);
        AddBits(map.Sub(5, map.Size() - 5), firstPage, file, pages);
        break;
    }
    case kReferenceMap: {
        const std::size_t bitsPerPage = (file.PageSize() - kUsageMapPageHeader) * 8;
        for (std::size_t entry = 0; 1 + 4 * entry + 4 <= map.Size(); ++entry) {
            const std::uint32_t mapPage = map.U32(1 + 4 * entry);
            if (mapPage == 0) {
                continue;
            }
            const TSlice page = file.Page(mapPage, context);
            if (page.U8(0) != static_cast<std::uint8_t>(TPageType::UsageMap)) {
                page.Fail("page " + std::to_string(mapPage) + " is not a usage map page");
            }
            AddBits(page.Sub(kUsageMapPageHeader, page.Size() - kUsageMapPageHeader),
                    static_cast<std::uint64_t>(entry) * bitsPerPage, file, pages);
        }
        break;
    }
    default:
        map.Fail("unknown usage map type " + std::to_string(map.U8(0)));
    }
    return pages;
}

} // namespace qrv::jet
