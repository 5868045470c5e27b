#pragma once
// A minimal zip archive writer: stored (uncompressed) entries with CRC-32, UTF-8 names
// flagged as such, a central directory and its end record. No ZIP64: archives stay
// below 4 GiB and 65535 entries.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qrv::cadsim {

struct DosDateTime {
    uint16_t time = 0; // hours << 11 | minutes << 5 | seconds / 2
    uint16_t date = 0; // (year - 1980) << 9 | month << 5 | day
};

// Years before 1980, which the format cannot hold, give 1 January 1980.
DosDateTime MakeDosDateTime(int year, int month, int day, int hour, int minute, int second);

struct ZipEntry {
    std::string name; // UTF-8, '/' between folders
    std::string data;
    DosDateTime modified;
};

uint32_t Crc32(std::string_view data);

// The whole archive. Throws std::length_error past the format's limits.
std::string BuildZip(std::span<const ZipEntry> entries);

} // namespace qrv::cadsim
