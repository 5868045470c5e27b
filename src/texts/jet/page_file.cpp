#include "texts/jet/page_file.h"

#include "texts/jet/jet_error.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace qrv::jet {

std::uint16_t Slice::U16(std::size_t offset) const {
    const std::uint8_t* p = bytes_.data() + Check(offset, 2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Slice::U24(std::size_t offset) const {
    const std::uint8_t* p = bytes_.data() + Check(offset, 3);
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16);
}

std::uint32_t Slice::U32(std::size_t offset) const {
    const std::uint8_t* p = bytes_.data() + Check(offset, 4);
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint64_t Slice::U64(std::size_t offset) const {
    return static_cast<std::uint64_t>(U32(offset)) |
           (static_cast<std::uint64_t>(U32(offset + 4)) << 32);
}

double Slice::F64(std::size_t offset) const {
    return std::bit_cast<double>(U64(offset));
}

Slice Slice::Sub(std::size_t offset, std::size_t length) const {
    return Slice(*file_, bytes_.subspan(Check(offset, length), length), context_);
}

Slice Slice::Sub(std::size_t offset, std::size_t length, std::string_view context) const {
    return Slice(*file_, bytes_.subspan(Check(offset, length), length), context);
}

void Slice::Fail(std::string_view what) const {
    std::string message(context_);
    message += ": ";
    message += what;
    file_->Fail(message);
}

void Slice::FailRange(std::size_t offset, std::size_t length) const {
    Fail("damaged: " + std::to_string(length) + " bytes at offset " + std::to_string(offset) +
         " lie outside its " + std::to_string(bytes_.size()) + " bytes");
}

PageFile::PageFile(std::span<const std::uint8_t> bytes, std::string fileName,
                   std::uint32_t pageSize)
    : bytes_(bytes), fileName_(std::move(fileName)), pageSize_(pageSize),
      pageCount_(static_cast<std::uint32_t>(
          std::min<std::size_t>(bytes.size() / pageSize, UINT32_MAX))) {}

Slice PageFile::Page(std::uint32_t number, std::string_view context) const {
    if (number >= pageCount_) {
        std::string what(context);
        what += ": page " + std::to_string(number) + " lies beyond the end of the file (" +
                std::to_string(pageCount_) + " pages)";
        Fail(what);
    }
    return Slice(*this,
                 bytes_.subspan(static_cast<std::size_t>(number) * pageSize_, pageSize_), context);
}

void PageFile::Fail(std::string_view what) const {
    ThrowJetError(fileName_, what);
}

} // namespace qrv::jet
