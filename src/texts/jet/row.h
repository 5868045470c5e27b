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

class TRowView {
public:
    TRowView(const TTableDefinition& table, const TSlice& row);

    bool IsNull(const TColumn& column) const;
    // A Yes/No column's value.
    bool BoolValue(const TColumn& column) const { return NullBit(column); }
    // The bytes stored for the column; nullopt for NULL. For Memo and OLE columns these are
    // the 12-byte long-value field.
    std::optional<TSlice> Raw(const TColumn& column) const;
    // Text and Memo columns as UTF-16; NULL gives empty text.
    std::u16string Text(const TColumn& column) const;
    // Memo and OLE values in full, other columns' stored bytes; NULL gives no bytes.
    std::vector<std::uint8_t> Bytes(const TColumn& column) const;

private:
    bool NullBit(const TColumn& column) const;

    const TTableDefinition* table_;
    TSlice row_;
    std::uint16_t columnCount_ = 0;
    std::size_t nullMaskOffset_ = 0;
    std::uint16_t varCount_ = 0;
    std::size_t varTableEnd_ = 0; // just past the offset of variable entry 0
    std::size_t dataEnd_ = 0;     // the end of the fixed and variable data
};

} // namespace qrv::jet
