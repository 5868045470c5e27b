#pragma once
// Writes Jet 4 database files (Access 2000-2003 .mdb) that hold plain tables: no indexes,
// no relationships, no queries. Enough for the texts database, for test fixtures (with
// deleted rows, overflow rows, long Memo values, other versions in the header, tables as
// Access leaves them after columns were deleted and added, links to other databases) and for
// the dump tool's tests.

#include "texts/jet/table_def.h"

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace qrv::textsdb {

struct ColumnDefinition {
    std::u16string name;
    jet::TColumnType type = jet::TColumnType::Text;
    std::uint16_t textChars = 255; // Text columns: the declared size in characters
    std::uint8_t precision = 18;   // Decimal columns: digits in all (Jet's default)
    std::uint8_t scale = 0;        // Decimal columns: digits after the point
    // Deleted after the table was created: the definition no longer lists it, but its column
    // number, its place in the rows and the count of variable columns stay, as in Access.
    bool deleted = false;
};

// A Decimal value as text: an optional '-', digits, optionally '.' and at most the column's
// scale of digits; at most the column's precision of digits in all.
struct Decimal {
    std::string text;
};

// One value: NULL, Yes/No, an integer (Byte, Integer, Long; Currency in ten-thousandths),
// a floating value (Single, Double; Date/Time in days since 1899-12-30), text or a Decimal.
using Cell = std::variant<std::monostate, bool, std::int64_t, double, std::u16string, Decimal>;

struct RowValues {
    std::vector<Cell> cells; // one per column ever created, deleted ones included
    bool deleted = false;    // stored, but marked deleted
    // Moved this many times since it was written: the row lives on a later page, reached from
    // its slot through a chain of overflow pointers of this length.
    int moves = 0;
    // How many of the columns (in creation order) the table had when the row was written;
    // 0: all. The columns created later read as NULL and must be NULL here.
    std::size_t columnsWhenWritten = 0;
};

// A row written when the table had only its first `columns` columns.
inline RowValues WrittenWith(std::size_t columns, std::vector<Cell> cells) {
    RowValues row{std::move(cells)};
    row.columnsWhenWritten = columns;
    return row;
}

// Columns in creation order; the column number is the position in this list.
struct TableContent {
    std::u16string name;
    std::vector<ColumnDefinition> columns;
    std::vector<RowValues> rows;
};

// A table that the catalog lists as linked to a table of another database file, or to an
// ODBC data source.
struct LinkedTable {
    std::u16string name;
    std::u16string database;    // the other file; through ODBC the data source name
    std::u16string foreignName; // the table's name there
    bool odbc = false;
};

struct WriterOptions {
    std::u16string password;          // empty: no database password
    bool compressText = true;         // Unicode compression on Text and Memo columns
    std::uint32_t versionByte = 1;    // 0 Jet 3, 1 Jet 4, 2.. ACE (the header only)
    std::size_t memoInlineLimit = 64; // Memo values up to this many bytes stay in the row
    double creationDate = 45292.5;    // 2024-01-01 12:00
    std::uint32_t encodingKey = 0;    // non-zero: pages after the first are RC4-encrypted
    std::uint16_t sortOrder = 0x0409; // of the database and its text columns; 0x0409 General
};

// Throws std::runtime_error for what a Jet 4 file cannot hold (a row larger than a page,
// a value of the wrong kind for its column, too many columns for one definition page).
std::vector<std::uint8_t> WriteDatabase(const std::vector<TableContent>& tables,
                                        const WriterOptions& options,
                                        const std::vector<LinkedTable>& linkedTables = {});

} // namespace qrv::textsdb
