#pragma once
// Offsets and sizes of the Jet file structures, kept as data per file version. Only the
// Jet 4 layout is read; the others exist to name versions in error messages.

#include <cstdint>

namespace qrv::jet {

enum class TPageType : std::uint8_t {
    TDatabaseHeader = 0x00,
    Data = 0x01,
    TTableDefinition = 0x02,
    IndexNode = 0x03,
    IndexLeaf = 0x04,
    UsageMap = 0x05,
};

struct THeaderLayout {
    std::uint32_t versionOffset = 0x14;
    std::uint32_t maskedOffset = 0x18; // start of the RC4-masked area
    std::uint32_t maskedLength;        // 126 (Jet 3) or 128 (Jet 4, ACE)
    std::uint32_t codePageOffset = 0x3C;
    std::uint32_t encodingKeyOffset = 0x3E; // 0: pages are not encrypted
    std::uint32_t passwordOffset = 0x42;
    std::uint32_t passwordLength;     // bytes: 20 (Jet 3), 40 (Jet 4, UTF-16)
    std::uint32_t sortOrderOffset;    // 0x3A (Jet 3, 2 bytes), 0x6E (Jet 4, 4 bytes)
    std::uint32_t creationDateOffset; // 0x72 (Jet 4), none in Jet 3 (0)
};

struct TPageLayout {
    std::uint32_t pageSize;
    // Data pages.
    std::uint32_t dataTablePageOffset = 4; // owning table definition, or "LVAL"
    std::uint32_t dataRowCountOffset;
    std::uint32_t dataRowOffsetsOffset;
    // Table definition: the header fields.
    std::uint32_t tdefNextPageOffset = 4;
    std::uint32_t tdefRowCountOffset;
    std::uint32_t tdefTableTypeOffset;
    std::uint32_t tdefMaxColumnsOffset;
    std::uint32_t tdefVarColumnsOffset;
    std::uint32_t tdefColumnCountOffset;
    std::uint32_t tdefIndexCountOffset;
    std::uint32_t tdefRealIndexCountOffset;
    std::uint32_t tdefUsedPagesOffset;
    std::uint32_t tdefFreePagesOffset;
    std::uint32_t tdefBlocksOffset; // first real-index block
    std::uint32_t realIndexBlockSize;
    // Column blocks.
    std::uint32_t columnBlockSize;
    std::uint32_t columnTypeOffset = 0;
    std::uint32_t columnNumberOffset;
    std::uint32_t columnVarIndexOffset;
    std::uint32_t columnPrecisionOffset; // Decimal; text columns hold their sort order here
    std::uint32_t columnScaleOffset;
    std::uint32_t columnFlagsOffset;
    std::uint32_t columnExtFlagsOffset;
    std::uint32_t columnFixedOffsetOffset;
    std::uint32_t columnLengthOffset;
    // Rows.
    std::uint32_t rowColumnCountSize; // 1 (Jet 3), 2 (Jet 4)
};

inline constexpr THeaderLayout kJet4Header{
    .maskedLength = 128, .passwordLength = 40, .sortOrderOffset = 0x6E, .creationDateOffset = 0x72};

inline constexpr TPageLayout kJet4Pages{.pageSize = 4096,
                                        .dataRowCountOffset = 12,
                                        .dataRowOffsetsOffset = 14,
                                        .tdefRowCountOffset = 16,
                                        .tdefTableTypeOffset = 40,
                                        .tdefMaxColumnsOffset = 41,
                                        .tdefVarColumnsOffset = 43,
                                        .tdefColumnCountOffset = 45,
                                        .tdefIndexCountOffset = 47,
                                        .tdefRealIndexCountOffset = 51,
                                        .tdefUsedPagesOffset = 55,
                                        .tdefFreePagesOffset = 59,
                                        .tdefBlocksOffset = 63,
                                        .realIndexBlockSize = 12,
                                        .columnBlockSize = 25,
                                        .columnNumberOffset = 5,
                                        .columnVarIndexOffset = 7,
                                        .columnPrecisionOffset = 11,
                                        .columnScaleOffset = 12,
                                        .columnFlagsOffset = 15,
                                        .columnExtFlagsOffset = 16,
                                        .columnFixedOffsetOffset = 21,
                                        .columnLengthOffset = 23,
                                        .rowColumnCountSize = 2};

// Row offsets on data pages: the low 13 bits are the position, the high bits flags.
inline constexpr std::uint16_t kRowOffsetMask = 0x1FFF;
inline constexpr std::uint16_t kRowDeleted = 0x8000;
inline constexpr std::uint16_t kRowOverflow = 0x4000;

// The key of the RC4 stream that masks the header page (little-endian 0x6B39DAC7).
inline constexpr std::uint8_t kHeaderMaskKey[4] = {0xC7, 0xDA, 0x39, 0x6B};

// Version byte at 0x14.
inline constexpr std::uint32_t kVersionJet3 = 0;
inline constexpr std::uint32_t kVersionJet4 = 1;

// The system catalog's table definition is always on this page.
inline constexpr std::uint32_t kCatalogPage = 2;

} // namespace qrv::jet
