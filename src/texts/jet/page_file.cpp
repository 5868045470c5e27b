#include "texts/jet/page_file.h"

#include "texts/jet/jet_error.h"
#include "texts/jet/rc4.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace qrv::jet {

std::uint64_t TSlice::U64(std::size_t offset) const {
    return static_cast<std::uint64_t>(U32(offset)) |
           (static_cast<std::uint64_t>(U32(offset + 4)) << 32);
}

double TSlice::F64(std::size_t offset) const {
    return std::bit_cast<double>(U64(offset));
}

TSlice TSlice::Sub(std::size_t offset, std::size_t length, std::string_view context) const {
    return TSlice(*file_, bytes_.subspan(Check(offset, length), length), context);
}

void TSlice::Fail(std::string_view what) const {
    std::string message(context_);
    message += ": ";
    message += what;
    file_->Fail(message);
}

void TSlice::FailRange(std::size_t offset, std::size_t length) const {
    Fail("damaged: " + std::to_string(length) + " bytes at offset " + std::to_string(offset) +
         " lie outside its " + std::to_string(bytes_.size()) + " bytes");
}

namespace {

constexpr std::uint32_t kScanWindowPages = 64;

} // namespace

TPageFile::TPageFile(std::span<const std::uint8_t> bytes, std::string fileName,
                     std::uint32_t pageSize)
    : bytes_(bytes), fileName_(std::move(fileName)), pageSize_(pageSize), byteSize_(bytes.size()),
      pageCount_(static_cast<std::uint32_t>(
          std::min<std::uint64_t>(bytes.size() / pageSize, UINT32_MAX))) {}

TPageFile::TPageFile(std::unique_ptr<TByteSource> source, std::string fileName,
                     std::uint32_t pageSize)
    : source_(std::move(source)), fileName_(std::move(fileName)), pageSize_(pageSize),
      byteSize_(source_->Size()), pageCount_(static_cast<std::uint32_t>(
                                      std::min<std::uint64_t>(byteSize_ / pageSize, UINT32_MAX))) {}

std::span<const std::uint8_t> TPageFile::Head() const {
    if (!source_) {
        return bytes_.first(std::min<std::size_t>(bytes_.size(), pageSize_));
    }
    if (head_.empty() && byteSize_ > 0) {
        head_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(byteSize_, pageSize_)));
        source_->ReadAt(0, head_);
    }
    return head_;
}

void TPageFile::CheckPage(std::uint32_t number, std::string_view context) const {
    if (number >= pageCount_) {
        std::string what(context);
        what += ": page " + std::to_string(number) + " lies beyond the end of the file (" +
                std::to_string(pageCount_) + " pages)";
        Fail(what);
    }
}

void TPageFile::Decrypt(std::uint32_t number, std::span<std::uint8_t> page) const {
    if (encodingKey_ == 0 || number == 0) {
        return;
    }
    const std::uint32_t key = number ^ encodingKey_;
    const std::uint8_t keyBytes[4] = {
        static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
        static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 24)};
    TRc4(keyBytes).Apply(page);
}

TSlice TPageFile::Page(std::uint32_t number, std::string_view context) const {
    CheckPage(number, context);
    if (!source_ && encodingKey_ == 0) {
        return TSlice(*this, bytes_.subspan(std::size_t{number} * pageSize_, pageSize_), context);
    }
    auto& page = pages_[number];
    if (!page) {
        auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(pageSize_);
        const std::span<std::uint8_t> out(bytes.get(), pageSize_);
        if (source_) {
            source_->ReadAt(std::uint64_t{number} * pageSize_, out);
        } else {
            std::copy_n(bytes_.data() + std::size_t{number} * pageSize_, pageSize_, out.data());
        }
        Decrypt(number, out);
        page = std::move(bytes);
    }
    return TSlice(*this, {page.get(), pageSize_}, context);
}

TSlice TPageFile::ScanPage(std::uint32_t number, std::string_view context) const {
    if (!source_ || scanDepth_ != 1) {
        return Page(number, context);
    }
    CheckPage(number, context);
    if (number < windowFirst_ || number >= windowFirst_ + windowPages_) {
        windowPages_ = std::min(kScanWindowPages, pageCount_ - number);
        window_.resize(std::size_t{kScanWindowPages} * pageSize_);
        source_->ReadAt(std::uint64_t{number} * pageSize_,
                        {window_.data(), std::size_t{windowPages_} * pageSize_});
        windowFirst_ = number;
        for (std::uint32_t i = 0; i < windowPages_; ++i) {
            Decrypt(number + i, {window_.data() + std::size_t{i} * pageSize_, pageSize_});
        }
    }
    return TSlice(*this,
                  {window_.data() + std::size_t{number - windowFirst_} * pageSize_, pageSize_},
                  context);
}

void TPageFile::Fail(std::string_view what) const {
    ThrowJetError(fileName_, what);
}

} // namespace qrv::jet
