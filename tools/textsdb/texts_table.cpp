#include "texts_table.h"

#include <stdexcept>

namespace qrv::textsdb {

namespace {

const std::u16string_view kColumns[] = {u"LNGID_", u"GROUP_", u"TEXTID_", u"TXT_"};

Cell ToCell(const TsvField& field) {
    if (!field) {
        return std::monostate{};
    }
    return *field;
}

} // namespace

TableContent BuildTextsTable(const std::vector<TsvRecord>& records,
                             const TextsTableOptions& options) {
    if (records.empty()) {
        throw std::runtime_error("the source has no header line");
    }
    const TsvRecord& header = records.front();
    bool headerOk = header.fields.size() == 4;
    for (std::size_t i = 0; headerOk && i < 4; ++i) {
        headerOk = header.fields[i] && *header.fields[i] == kColumns[i];
    }
    if (!headerOk) {
        throw std::runtime_error("line " + std::to_string(header.line) +
                                 ": the header must name LNGID_, GROUP_, TEXTID_, TXT_");
    }
    TableContent table{u"X_PROGRAMSTRINGS",
                       {{u"LNGID_", jet::TColumnType::Text, 10},
                        {u"GROUP_", jet::TColumnType::Text, 50},
                        {u"TEXTID_", jet::TColumnType::Text, 100}},
                       {}};
    if (options.deletedColumn) {
        table.columns.push_back({.name = u"NOTE_", .textChars = 100, .deleted = true});
    }
    table.columns.push_back(
        {u"TXT_", options.memo ? jet::TColumnType::Memo : jet::TColumnType::Text, 255});
    if (options.addedColumn) {
        table.columns.push_back({u"COMMENT_", jet::TColumnType::Memo});
    }
    const std::size_t halfWay = 1 + (records.size() - 1) / 2;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const TsvRecord& record = records[i];
        if (record.fields.size() != 4) {
            throw std::runtime_error("line " + std::to_string(record.line) + ": " +
                                     std::to_string(record.fields.size()) + " fields instead of 4");
        }
        const bool early = i < halfWay;
        RowValues row;
        for (const TsvField& field : record.fields) {
            if (options.deletedColumn && row.cells.size() == 3) {
                row.cells.push_back(early ? Cell(std::u16string(u"note")) : Cell());
            }
            row.cells.push_back(ToCell(field));
        }
        if (options.addedColumn) {
            row.cells.push_back(early ? Cell() : Cell(std::u16string(u"comment")));
            row.columnsWhenWritten = early ? table.columns.size() - 1 : 0;
        }
        if (options.deletedCopies) {
            RowValues deleted = row;
            deleted.cells[options.deletedColumn ? 4 : 3] = std::u16string(u"(deleted)");
            deleted.deleted = true;
            table.rows.push_back(std::move(deleted));
        }
        row.moves = (options.overflowEvery != 0 && i % options.overflowEvery == 0) ? 1 : 0;
        table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace qrv::textsdb
