#pragma once
// Bounds-checked access to the pages of a Jet file held in memory. Every read of file data
// goes through TSlice, which throws EJetError naming the file and the structure being read
// when an offset or length leaves the slice.

#include "texts/jet/byte_source.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qrv::jet {

class TPageFile;

class TSlice {
public:
    TSlice(const TPageFile& file, std::span<const std::uint8_t> bytes, std::string_view context)
        : file_(&file), bytes_(bytes), context_(context) {}

    std::size_t Size() const { return bytes_.size(); }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    const TPageFile& File() const { return *file_; }
    std::string_view Context() const { return context_; }

    std::uint8_t U8(std::size_t offset) const { return bytes_[Check(offset, 1)]; }
    std::uint16_t U16(std::size_t offset) const {
        const std::uint8_t* p = bytes_.data() + Check(offset, 2);
        return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    }
    std::uint32_t U32(std::size_t offset) const {
        const std::uint8_t* p = bytes_.data() + Check(offset, 4);
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    std::uint64_t U64(std::size_t offset) const;
    double F64(std::size_t offset) const;
    TSlice Sub(std::size_t offset, std::size_t length) const {
        return TSlice(*file_, bytes_.subspan(Check(offset, length), length), context_);
    }
    TSlice Sub(std::size_t offset, std::size_t length, std::string_view context) const;

    [[noreturn]] void Fail(std::string_view what) const;

private:
    std::size_t Check(std::size_t offset, std::size_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset) {
            FailRange(offset, length);
        }
        return offset;
    }
    [[noreturn]] void FailRange(std::size_t offset, std::size_t length) const;

    const TPageFile* file_;
    std::span<const std::uint8_t> bytes_;
    std::string_view context_;
};

class TPageFile {
public:
    // Pages in memory; the bytes must outlive the TPageFile.
    TPageFile(std::span<const std::uint8_t> bytes, std::string fileName, std::uint32_t pageSize);
    // Pages read from a source when they are needed.
    TPageFile(std::unique_ptr<TByteSource> source, std::string fileName, std::uint32_t pageSize);

    const std::string& FileName() const { return fileName_; }
    std::uint32_t PageSize() const { return pageSize_; }
    // Whole pages only: a partial page at the end is not addressable.
    std::uint32_t PageCount() const { return pageCount_; }
    std::uint64_t ByteSize() const { return byteSize_; }
    // The first page, or the whole file when it is shorter.
    std::span<const std::uint8_t> Head() const;

    // Pages after the first are RC4-encrypted with the key `page number ^ encodingKey`
    // ("Encrypt Database"); 0 means they are not. Set before reading any page.
    void SetEncodingKey(std::uint32_t encodingKey) { encodingKey_ = encodingKey; }

    // A page that stays valid as long as the TPageFile; throws beyond the end of the file.
    TSlice Page(std::uint32_t number, std::string_view context) const;
    // A page for a pass over a table's pages in ascending order, read ahead in large pieces:
    // valid until the next call. Within a TScanGuard only (nested passes use Page).
    TSlice ScanPage(std::uint32_t number, std::string_view context) const;

    class TScanGuard {
    public:
        explicit TScanGuard(const TPageFile& file) : file_(file) { ++file_.scanDepth_; }
        TScanGuard(const TScanGuard&) = delete;
        TScanGuard& operator=(const TScanGuard&) = delete;
        ~TScanGuard() { --file_.scanDepth_; }

    private:
        const TPageFile& file_;
    };

    [[noreturn]] void Fail(std::string_view what) const;

private:
    void CheckPage(std::uint32_t number, std::string_view context) const;
    void Decrypt(std::uint32_t number, std::span<std::uint8_t> page) const;

    std::span<const std::uint8_t> bytes_;
    std::unique_ptr<TByteSource> source_;
    std::string fileName_;
    std::uint32_t pageSize_;
    std::uint64_t byteSize_;
    std::uint32_t pageCount_;
    std::uint32_t encodingKey_ = 0;
    mutable std::vector<std::uint8_t> head_;
    mutable std::unordered_map<std::uint32_t, std::unique_ptr<std::uint8_t[]>> pages_;
    mutable std::vector<std::uint8_t> window_;
    mutable std::uint32_t windowFirst_ = 0;
    mutable std::uint32_t windowPages_ = 0;
    mutable int scanDepth_ = 0;
};

} // namespace qrv::jet
