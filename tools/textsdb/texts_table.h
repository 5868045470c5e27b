#pragma once
// The texts table X_PROGRAMSTRINGS built from a tab-separated source whose first record
// names the columns: LNGID_, GROUP_, TEXTID_, TXT_.

#include "jet_writer.h"
#include "tsv.h"

#include <string_view>

namespace qrv::textsdb {

struct TextsTableOptions {
    bool memo = true;              // TXT_ as Memo, else as Text(255)
    bool deletedCopies = false;    // before each row, a deleted copy with another text
    std::size_t overflowEvery = 0; // every n-th row stored as an overflow row (0: none)
};

// Throws std::runtime_error naming the line for a malformed source.
TableContent BuildTextsTable(const std::vector<TsvRecord>& records,
                             const TextsTableOptions& options);

} // namespace qrv::textsdb
