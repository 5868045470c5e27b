#pragma once
// Builds small texts databases for the tests with the textsdb writer.

#include "jet_writer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qrv::testing {

struct TextRow {
    std::optional<std::u16string> language;
    std::optional<std::u16string> group;
    std::optional<std::u16string> key;
    std::optional<std::u16string> text;
    bool deleted = false;
    bool overflow = false;
};

inline textsdb::Cell CellOf(const std::optional<std::u16string>& value) {
    if (!value) {
        return std::monostate{};
    }
    return *value;
}

inline textsdb::TableContent TextsTable(const std::vector<TextRow>& rows, bool memo = true) {
    textsdb::TableContent table{
        u"X_PROGRAMSTRINGS",
        {{u"LNGID_", jet::TColumnType::Text, 10},
         {u"GROUP_", jet::TColumnType::Text, 50},
         {u"TEXTID_", jet::TColumnType::Text, 100},
         {u"TXT_", memo ? jet::TColumnType::Memo : jet::TColumnType::Text, 255}},
        {}};
    for (const TextRow& row : rows) {
        table.rows.push_back(
            {{CellOf(row.language), CellOf(row.group), CellOf(row.key), CellOf(row.text)},
             row.deleted,
             row.overflow ? 1 : 0});
    }
    return table;
}

inline std::vector<std::uint8_t> TextsDatabase(const std::vector<TextRow>& rows, bool memo = true,
                                               textsdb::WriterOptions options = {}) {
    if (options.password.empty()) {
        options.password = u"815C7d";
    }
    return textsdb::WriteDatabase({TextsTable(rows, memo)}, options);
}

} // namespace qrv::testing
