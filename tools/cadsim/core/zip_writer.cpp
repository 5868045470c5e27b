#include "cadsim/core/zip_writer.h"

#include <array>
#include <limits>
#include <stdexcept>

namespace qrv::cadsim {

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr uint32_t kEndOfCentralDirectorySignature = 0x06054b50;
constexpr uint16_t kVersion = 20; // 2.0: the first version with folders
// Made on NTFS (host 10), not MS-DOS: Info-ZIP's unzip reads names from MS-DOS hosts in
// the OEM code page even when the UTF-8 flag is set.
constexpr uint16_t kVersionMadeBy = 10 << 8 | kVersion;
constexpr uint16_t kUtf8NamesFlag = 0x0800;
constexpr uint16_t kMethodStored = 0;

constexpr std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

constexpr auto kCrcTable = MakeCrcTable();

void Put16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, static_cast<uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<uint16_t>(value >> 16));
}

uint32_t Size32(size_t size, const char* what) {
    if (size >= std::numeric_limits<uint32_t>::max()) {
        throw std::length_error(std::string("zip archive too large: ") + what);
    }
    return static_cast<uint32_t>(size);
}

uint16_t Size16(size_t size, const char* what) {
    if (size > std::numeric_limits<uint16_t>::max()) {
        throw std::length_error(std::string("zip archive too large: ") + what);
    }
    return static_cast<uint16_t>(size);
}

// The fields that the local and the central header share, from "version needed" on.
void PutCommonFields(std::string& out, const ZipEntry& entry, uint32_t crc) {
    Put16(out, kVersion);
    Put16(out, kUtf8NamesFlag);
    Put16(out, kMethodStored);
    Put16(out, entry.modified.time);
    Put16(out, entry.modified.date);
    Put32(out, crc);
    Put32(out, Size32(entry.data.size(), "entry size")); // compressed size
    Put32(out, Size32(entry.data.size(), "entry size")); // uncompressed size
    Put16(out, Size16(entry.name.size(), "entry name"));
    Put16(out, 0); // extra field length
}

} // namespace

DosDateTime MakeDosDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 1980) {
        return {0, static_cast<uint16_t>(1 << 5 | 1)};
    }
    DosDateTime result;
    result.time = static_cast<uint16_t>(hour << 11 | minute << 5 | second / 2);
    result.date = static_cast<uint16_t>((year - 1980) << 9 | month << 5 | day);
    return result;
}

uint32_t Crc32(std::string_view data) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc = kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::string BuildZip(std::span<const ZipEntry> entries) {
    const uint16_t count = Size16(entries.size(), "entry count");
    std::string archive;
    std::string directory;
    for (const auto& entry : entries) {
        const uint32_t offset = Size32(archive.size(), "archive size");
        const uint32_t crc = Crc32(entry.data);

        Put32(archive, kLocalHeaderSignature);
        PutCommonFields(archive, entry, crc);
        archive += entry.name;
        archive += entry.data;

        Put32(directory, kCentralHeaderSignature);
        Put16(directory, kVersionMadeBy);
        PutCommonFields(directory, entry, crc);
        Put16(directory, 0); // comment length
        Put16(directory, 0); // disk number start
        Put16(directory, 0); // internal attributes
        Put32(directory, 0); // external attributes
        Put32(directory, offset);
        directory += entry.name;
    }
    const uint32_t directoryOffset = Size32(archive.size(), "archive size");
    const uint32_t directorySize = Size32(directory.size(), "central directory");
    archive += directory;
    Size32(archive.size(), "archive size");

    Put32(archive, kEndOfCentralDirectorySignature);
    Put16(archive, 0); // this disk
    Put16(archive, 0); // disk with the central directory
    Put16(archive, count);
    Put16(archive, count);
    Put32(archive, directorySize);
    Put32(archive, directoryOffset);
    Put16(archive, 0); // comment length
    return archive;
}

} // namespace qrv::cadsim
