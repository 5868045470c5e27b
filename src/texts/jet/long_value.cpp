#include "texts/jet/long_value.h"

#include "texts/jet/data_page.h"

#include <unordered_set>

namespace qrv::jet {

namespace {

constexpr std::size_t kFieldSize = 12;
constexpr std::uint32_t kLengthMask = 0x3FFFFFFF;
constexpr std::uint32_t kKindMask = 0xC0000000;
constexpr std::uint32_t kInline = 0x80000000;
constexpr std::uint32_t kSingleRow = 0x40000000;
constexpr std::uint32_t kRowChain = 0x00000000;

} // namespace

std::vector<std::uint8_t> ReadLongValue(const TSlice& field) {
    const std::uint32_t header = field.U32(0);
    const std::uint32_t length = header & kLengthMask;
    const std::uint32_t pointer = field.U32(4);
    const TPageFile& file = field.File();
    if (length > file.ByteSize()) {
        field.Fail("a long value claims " + std::to_string(length) +
                   " bytes, more than the file holds");
    }
    std::vector<std::uint8_t> value;
    switch (header & kKindMask) {
    case kInline: {
        const auto bytes = field.Sub(kFieldSize, length).Bytes();
        value.assign(bytes.begin(), bytes.end());
        break;
    }
    case kSingleRow: {
        const TRowSlot slot = ReadRowAt(file, pointer, field.Context());
        const auto bytes = slot.bytes.Sub(0, length).Bytes();
        value.assign(bytes.begin(), bytes.end());
        break;
    }
    case kRowChain: {
        value.reserve(length);
        std::unordered_set<std::uint32_t> visited;
        std::uint32_t next = pointer;
        while (value.size() < length) {
            if (next == 0) {
                field.Fail("a long value ends after " + std::to_string(value.size()) + " of its " +
                           std::to_string(length) + " bytes");
            }
            if (!visited.insert(next).second) {
                field.Fail("the pages of a long value form a loop");
            }
            const TRowSlot slot = ReadRowAt(file, next, field.Context());
            next = slot.bytes.U32(0);
            const std::size_t take =
                std::min<std::size_t>(slot.bytes.Size() - 4, length - value.size());
            const auto bytes = slot.bytes.Sub(4, take).Bytes();
            value.insert(value.end(), bytes.begin(), bytes.end());
        }
        break;
    }
    default:
        field.Fail("a long value has an unknown storage kind");
    }
    return value;
}

} // namespace qrv::jet
