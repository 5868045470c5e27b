#pragma once
// Bounds-checked access to the pages of a Jet file held in memory. Every read of file data
// goes through Slice, which throws JetError naming the file and the structure being read
// when an offset or length leaves the slice.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qrv::jet {

class PageFile;

class Slice {
public:
    Slice(const PageFile& file, std::span<const std::uint8_t> bytes, std::string_view context)
        : file_(&file), bytes_(bytes), context_(context) {}

    std::size_t Size() const { return bytes_.size(); }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    const PageFile& File() const { return *file_; }
    std::string_view Context() const { return context_; }

    std::uint8_t U8(std::size_t offset) const { return bytes_[Check(offset, 1)]; }
    std::uint16_t U16(std::size_t offset) const;
    std::uint32_t U24(std::size_t offset) const;
    std::uint32_t U32(std::size_t offset) const;
    std::uint64_t U64(std::size_t offset) const;
    double F64(std::size_t offset) const;
    Slice Sub(std::size_t offset, std::size_t length) const;
    Slice Sub(std::size_t offset, std::size_t length, std::string_view context) const;

    [[noreturn]] void Fail(std::string_view what) const;

private:
    std::size_t Check(std::size_t offset, std::size_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset) {
            FailRange(offset, length);
        }
        return offset;
    }
    [[noreturn]] void FailRange(std::size_t offset, std::size_t length) const;

    const PageFile* file_;
    std::span<const std::uint8_t> bytes_;
    std::string_view context_;
};

class PageFile {
public:
    // The bytes must outlive the PageFile. A partial page at the end is not addressable.
    PageFile(std::span<const std::uint8_t> bytes, std::string fileName, std::uint32_t pageSize);

    const std::string& FileName() const { return fileName_; }
    std::uint32_t PageSize() const { return pageSize_; }
    std::uint32_t PageCount() const { return pageCount_; }
    std::size_t ByteSize() const { return bytes_.size(); }

    // The whole page; throws when the number lies beyond the file.
    Slice Page(std::uint32_t number, std::string_view context) const;

    [[noreturn]] void Fail(std::string_view what) const;

private:
    std::span<const std::uint8_t> bytes_;
    std::string fileName_;
    std::uint32_t pageSize_;
    std::uint32_t pageCount_;
};

} // namespace qrv::jet
