#pragma once
// Where a database's bytes come from: a file held open while the database is read, or
// memory. OpenDatabaseFile opens the file for reading and, on Windows, shares it for reading
// only, as Jet opens it with "Share Deny Write": while it is open nobody may write it, and
// opening fails when another program has it open for writing.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace qrv::jet {

class TByteSource {
public:
    virtual ~TByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads out.size() bytes at offset; the range lies within Size(). Throws EJetError.
    virtual void ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

// Throws EJetError naming the file when it cannot be opened, or when it is larger than a Jet
// database can be (2 GiB).
std::unique_ptr<TByteSource> OpenDatabaseFile(const std::u16string& path);

inline constexpr std::uint64_t kMaxDatabaseSize = 2ull << 30;

} // namespace qrv::jet
