#include "texts/jet/header.h"

#include "texts/jet/jet_error.h"
#include "texts/jet/layout.h"
#include "texts/jet/rc4.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace qrv::jet {

namespace {

std::string VersionName(std::uint32_t version) {
    switch (version) {
    case kVersionJet3:
        return "Jet 3 (Access 97)";
    case 2:
        return "ACE 12 (Access 2007)";
    case 3:
        return "ACE 14 (Access 2010)";
    case 4:
        return "ACE 15 (Access 2013)";
    case 5:
        return "ACE 16 (Access 2016)";
    default:
        return "unknown (version byte " + std::to_string(version) + ")";
    }
}

std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

void MaskHeaderArea(std::span<std::uint8_t> area) {
    TRc4 rc4(kHeaderMaskKey);
    rc4.Apply(area);
}

void MaskPassword(std::span<std::uint8_t> password, double creationDate) {
    std::int32_t truncated = 0;
    if (std::isfinite(creationDate) && creationDate > -2147483648.0 &&
        creationDate < 2147483648.0) {
        truncated = static_cast<std::int32_t>(creationDate);
    }
    const auto bits = static_cast<std::uint32_t>(truncated);
    for (std::size_t i = 0; i < password.size(); ++i) {
        password[i] ^= static_cast<std::uint8_t>(bits >> (8 * (i % 4)));
    }
}

TDatabaseHeader ReadDatabaseHeader(std::span<const std::uint8_t> bytes, std::string_view fileName) {
    static constexpr char kJetSignature[] = "Standard Jet DB";
    static constexpr char kAceSignature[] = "Standard ACE DB";
    const THeaderLayout& layout = kJet4Header;
    if (bytes.size() < kJet4Pages.pageSize) {
        ThrowJetError(fileName, "not a Jet database: the file has " + std::to_string(bytes.size()) +
                                    " bytes, less than one 4096-byte page");
    }
    const bool jet = std::memcmp(bytes.data() + 4, kJetSignature, 15) == 0;
    const bool ace = std::memcmp(bytes.data() + 4, kAceSignature, 15) == 0;
    if (bytes[0] != static_cast<std::uint8_t>(TPageType::TDatabaseHeader) || (!jet && !ace)) {
        ThrowJetError(fileName, "not a Jet database (no \"Standard Jet DB\" header)");
    }
    TDatabaseHeader header;
    header.version = Le32(bytes.data() + layout.versionOffset);
    if (header.version != kVersionJet4 || !jet) {
        ThrowJetError(fileName, "the database file version is " + VersionName(header.version) +
                                    "; only Jet 4 (Access 2000-2003) files can be read");
    }
    std::array<std::uint8_t, 256> page{};
    std::memcpy(page.data(), bytes.data(), page.size());
    MaskHeaderArea(std::span(page).subspan(layout.maskedOffset, layout.maskedLength));
    header.codePage = static_cast<std::uint16_t>(page[layout.codePageOffset] |
                                                 (page[layout.codePageOffset + 1] << 8));
    header.encodingKey = Le32(page.data() + layout.encodingKeyOffset);
    std::uint64_t dateBits = 0;
    std::memcpy(&dateBits, page.data() + layout.creationDateOffset, 8);
    header.creationDate = std::bit_cast<double>(dateBits);
    auto password = std::span(page).subspan(layout.passwordOffset, layout.passwordLength);
    MaskPassword(password, header.creationDate);
    for (std::size_t i = 0; i + 1 < password.size(); i += 2) {
        const auto unit = static_cast<char16_t>(password[i] | (password[i + 1] << 8));
        if (unit == 0) {
            break;
        }
        header.password.push_back(unit);
    }
    return header;
}

} // namespace qrv::jet
