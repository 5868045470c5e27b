#pragma once
// Writes Jet 4 database files (Access 2000-2003 .mdb) that hold plain tables: no indexes,
// no relationships, no queries. Enough for the texts database, for test fixtures (with
// deleted rows, overflow rows, long Memo values, other versions in the header) and for
// the dump tool's tests.

#include "texts/jet/table_def.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace qrv::textsdb {

struct ColumnDefinition {
    std::u16string name;
    jet::ColumnType type = jet::ColumnType::Text;
    std::uint16_t textChars = 255; // Text columns: the declared size in characters
};

// One value: NULL, Yes/No, an integer (Byte, Integer, Long; Currency in ten-thousandths),
// a floating value (Single, Double; Date/Time in days since 1899-12-30) or text.
using Cell = std::variant<std::monostate, bool, std::int64_t, double, std::u16string>;

struct RowValues {
    std::vector<Cell> cells;
    bool deleted = false;  // stored, but marked deleted
    bool overflow = false; // stored on a later page, reached through an overflow pointer
};

struct TableContent {
    std::u16string name;
    std::vector<ColumnDefinition> columns;
    std::vector<RowValues> rows;
};

struct WriterOptions {
    std::u16string password;          // empty: no database password
    bool compressText = true;         // Unicode compression on Text and Memo columns
    std::uint32_t versionByte = 1;    // 0 Jet 3, 1 Jet 4, 2.. ACE (the header only)
    std::size_t memoInlineLimit = 64; // Memo values up to this many bytes stay in the row
    double creationDate = 45292.5;    // 2024-01-01 12:00
    std::uint32_t encodingKey = 0;    // non-zero: pages after the first are RC4-encrypted
};

// Throws std::runtime_error for what a Jet 4 file cannot hold (a row larger than a page,
// a value of the wrong kind for its column, too many columns for one definition page).
std::vector<std::uint8_t> WriteDatabase(const std::vector<TableContent>& tables,
                                        const WriterOptions& options);

} // namespace qrv::textsdb
