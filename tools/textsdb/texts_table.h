#pragma once
// The texts table X_PROGRAMSTRINGS built from a tab-separated source whose first record
// names the columns: LNGID_, GROUP_, TEXTID_, TXT_.

#include "jet_writer.h"
#include "tsv.h"

#include <string_view>

namespace qrv::textsdb {

// The table as Access leaves it after years of editing, when asked: columns deleted and added
// half-way, after the first half of the rows was written. The rows are not rewritten.
struct TextsTableOptions {
    bool memo = true;              // TXT_ as Memo, else as Text(255)
    bool deletedCopies = false;    // before each row, a deleted copy with another text
    std::size_t overflowEvery = 0; // every n-th row stored as an overflow row (0: none)
    // A Text column NOTE_ between TEXTID_ and TXT_, deleted half-way: the rows written before
    // keep a note in it.
    bool deletedColumn = false;
    // A Memo column COMMENT_ after TXT_, added half-way: the rows written before do not hold
    // it, the later ones hold a comment.
    bool addedColumn = false;
};

// Throws std::runtime_error naming the line for a malformed source.
TableContent BuildTextsTable(const std::vector<TsvRecord>& records,
                             const TextsTableOptions& options);

} // namespace qrv::textsdb
