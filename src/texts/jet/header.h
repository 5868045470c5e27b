#pragma once
// The database header page (page 0): file version, the masked header area with the
// database password, and the page-encoding key.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qrv::jet {

struct TDatabaseHeader {
    std::uint32_t version = 0;
    std::uint32_t encodingKey = 0;
    std::uint16_t codePage = 0;
    double creationDate = 0;
    std::u16string password; // empty when the database has none
};

// Throws EJetError for anything but a Jet 4 file.
TDatabaseHeader ReadDatabaseHeader(std::span<const std::uint8_t> bytes, std::string_view fileName);

// The mask over the password: the creation date truncated to a 32-bit integer, its four
// little-endian bytes repeated.
void MaskPassword(std::span<std::uint8_t> password, double creationDate);

// The header page's masked area as stored: RC4 with the fixed header key.
void MaskHeaderArea(std::span<std::uint8_t> area);

} // namespace qrv::jet
