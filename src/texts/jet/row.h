#pragma once
// One row of a table, cracked lazily: the Jet 4 row is
//   u16 column count | fixed area | variable data | variable offsets (reversed) | u16 count |
//   null mask (one bit per column number, 1 = has a value; a Yes/No column's value itself).
// The row is laid out by its own column count, which counts the columns that existed when it
// was written, deleted ones included: columns added later read as NULL.

#include "texts/jet/page_file.h"
#include "texts/jet/table_def.h"

#include <optional>
#include <string>
#include <vector>

namespace qrv::jet {

class RowView {
public:
    RowView(const TableDefinition& table, const Slice& row);

    bool IsNull(const Column& column) const;
    // A Yes/No column's value.
    bool BoolValue(const Column& column) const { return NullBit(column); }
    // The bytes stored for the column; nullopt for NULL. For Memo and OLE columns these are
    // the 12-byte long-value field.
    std::optional<Slice> Raw(const Column& column) const;
    // Text and Memo columns as UTF-16; NULL gives empty text.
    std::u16string Text(const Column& column) const;
    // Memo and OLE values in full, other columns' stored bytes; NULL gives no bytes.
    std::vector<std::uint8_t> Bytes(const Column& column) const;

private:
    bool NullBit(const Column& column) const;

    const TableDefinition* table_;
    Slice row_;
    std::uint16_t columnCount_ = 0;
    std::size_t nullMaskOffset_ = 0;
    std::uint16_t varCount_ = 0;
    std::size_t varTableEnd_ = 0; // just past the offset of variable entry 0
    std::size_t dataEnd_ = 0;     // the end of the fixed and variable data
};

} // namespace qrv::jet
