#pragma once
// Table definitions (TDEF pages): the columns of a table and where its pages are listed.

#include "texts/jet/page_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qrv::jet {

enum class TColumnType : std::uint8_t {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03, // 16 bits
    Long = 0x04,    // 32 bits
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
    Guid = 0x0F,
    Numeric = 0x10,
};

// "Text", "Memo", "Long Integer", ... or "type 0x13".
std::string ColumnTypeName(TColumnType type);

struct TColumn {
    std::u16string name;
    TColumnType type{};
    std::uint16_t number = 0;      // bit in the null mask
    std::uint16_t varIndex = 0;    // entry in the row's variable-offset table
    std::uint16_t fixedOffset = 0; // position in the row's fixed area
    std::uint16_t length = 0;      // bytes
    std::uint8_t flags = 0;
    std::uint8_t extFlags = 0;
    std::uint8_t precision = 0; // Decimal: digits in all
    std::uint8_t scale = 0;     // Decimal: digits after the point

    bool IsFixed() const { return (flags & 0x01) != 0; }
    bool IsCompressedUnicode() const { return (extFlags & 0x01) != 0; }
    bool IsLongValue() const { return type == TColumnType::Memo || type == TColumnType::Ole; }
};

// Access edits a table in place: a deleted column leaves a gap in the column numbers, in the
// variable-offset indexes and in the fixed area of every row, and the counts of columns ever
// created and of variable columns ever created stay as they were. Rows are not rewritten
// either: a row written before a column was added holds fewer columns than the definition.
struct TTableDefinition {
    std::u16string name;
    std::string nameUtf8;             // for messages
    std::uint32_t page = 0;           // first TDEF page
    std::uint32_t rowCount = 0;       // as recorded; informative only
    std::uint16_t maxColumnCount = 0; // column numbers ever given, deleted columns included
    std::uint16_t varColumnCount = 0; // variable columns ever created, deleted ones included
    // The lowest column number that is, or may have been, a variable column. A row whose
    // column count does not exceed it was written while the table had no variable column, so
    // it holds no variable-offset table.
    std::uint32_t firstVariableNumber = 0;
    std::uint32_t usedPagesPointer = 0; // row pointer to the usage map of owned pages
    std::vector<TColumn> columns;       // the columns there are, ordered by column number
};

TTableDefinition ReadTableDefinition(const TPageFile& file, std::uint32_t page,
                                     std::u16string name);

// Bytes a fixed column of this type occupies in a row (0 for Boolean, which lives in the
// null mask); the column's own length for types without a known size.
std::uint32_t FixedSize(const TColumn& column);

} // namespace qrv::jet
