#pragma once
// Reading a database file into memory in one piece. On Windows the file is opened for
// reading and shared for reading only, as Jet opens it with "Share Deny Write": while it is
// open nobody may write it, and opening fails when another program has it open for writing.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace qrv::jet {

class FileBytes {
public:
    FileBytes() = default;
    explicit FileBytes(std::size_t size)
        : data_(std::make_unique_for_overwrite<std::uint8_t[]>(size)), size_(size) {}

    std::span<const std::uint8_t> View() const { return {data_.get(), size_}; }
    std::span<std::uint8_t> Writable() { return {data_.get(), size_}; }

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t size_ = 0;
};

// Throws JetError naming the file when it cannot be opened or read, or when it is larger
// than a Jet database can be (2 GiB).
FileBytes ReadDatabaseFile(const std::u16string& path);

} // namespace qrv::jet
