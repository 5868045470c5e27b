#pragma once
// Reads a zip archive back for the tests: walks the central directory, follows each entry
// to its local header, and checks that both headers agree and that the CRC-32 is right.

#include "cadsim/core/zip_writer.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace qrv::cadsim::test {

struct ReadEntry {
    std::string name;
    std::string data;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t time = 0;
    uint16_t date = 0;
};

inline uint32_t Le(const std::string& bytes, size_t at, int size) {
    if (at + static_cast<size_t>(size) > bytes.size()) {
        throw std::runtime_error("read past the end of the archive at " + std::to_string(at));
    }
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
}

inline std::vector<ReadEntry> ReadZip(const std::string& zip) {
    if (zip.size() < 22) {
        throw std::runtime_error("too short");
    }
    const size_t end = zip.size() - 22; // no archive comment
    if (Le(zip, end, 4) != 0x06054b50) {
        throw std::runtime_error("no end of central directory record");
    }
    const uint32_t count = Le(zip, end + 10, 2);
    if (Le(zip, end + 8, 2) != count) {
        throw std::runtime_error("entry counts disagree");
    }
    const uint32_t directorySize = Le(zip, end + 12, 4);
    size_t at = Le(zip, end + 16, 4);
    if (at + directorySize != end) {
        throw std::runtime_error("central directory does not end at the end record");
    }
    std::vector<ReadEntry> entries;
    for (uint32_t i = 0; i < count; ++i) {
        if (Le(zip, at, 4) != 0x02014b50) {
            throw std::runtime_error("bad central header signature");
        }
        ReadEntry entry;
        entry.flags = static_cast<uint16_t>(Le(zip, at + 8, 2));
        entry.method = static_cast<uint16_t>(Le(zip, at + 10, 2));
        entry.time = static_cast<uint16_t>(Le(zip, at + 12, 2));
        entry.date = static_cast<uint16_t>(Le(zip, at + 14, 2));
        const uint32_t crc = Le(zip, at + 16, 4);
        const uint32_t size = Le(zip, at + 20, 4);
        const uint32_t nameLength = Le(zip, at + 28, 2);
        const uint32_t extra = Le(zip, at + 30, 2);
        const uint32_t comment = Le(zip, at + 32, 2);
        const uint32_t local = Le(zip, at + 42, 4);
        entry.name = zip.substr(at + 46, nameLength);

        if (Le(zip, local, 4) != 0x04034b50) {
            throw std::runtime_error("bad local header signature");
        }
        // Local header fields from "version needed" to the name length repeat the central ones.
        if (zip.compare(local + 4, 24, zip, at + 6, 24) != 0 || Le(zip, local + 28, 2) != 0 ||
            zip.compare(local + 30, nameLength, entry.name) != 0) {
            throw std::runtime_error("local and central headers disagree: " + entry.name);
        }
        entry.data = zip.substr(local + 30 + nameLength, size);
        if (entry.data.size() != size || Crc32(entry.data) != crc) {
            throw std::runtime_error("bad data or CRC: " + entry.name);
        }
        entries.push_back(std::move(entry));
        at += 46 + nameLength + extra + comment;
    }
    return entries;
}

} // namespace qrv::cadsim::test
