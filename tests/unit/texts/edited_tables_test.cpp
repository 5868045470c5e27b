// Tables as Access leaves them after years of editing: columns deleted (gaps in the column
// numbers, more variable columns counted than listed, rows that still hold the deleted
// values) and columns added (rows shorter than the definition), without the rows ever being
// rewritten.

#include "jet_fixture.h"
#include "texts/jet/database.h"
#include "texts/program_text_rows.h"
#include "texts_table.h"
#include "tsv.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace qrv {
namespace {

using jet::TColumnType;
using textsdb::Cell;
using textsdb::Decimal;
using textsdb::RowValues;
using textsdb::WrittenWith;

const Cell kNull = std::monostate{};

Cell Text(const char16_t* text) {
    return std::u16string(text);
}

// Every listed column of every row: its text, "NULL", or for other kinds its bytes in hex.
std::vector<std::string> Rows(const std::vector<std::uint8_t>& bytes, std::u16string_view name) {
    const jet::TDatabase database(bytes, "e.mdb", u"");
    const jet::TTable table = database.OpenTable(name);
    std::vector<std::string> rows;
    table.ForEachRow([&](const jet::TRowView& row) {
        std::string line;
        for (const jet::TColumn& column : table.Columns()) {
            line += line.empty() ? "" : "|";
            if (column.type == TColumnType::Boolean) {
                line += row.BoolValue(column) ? "yes" : "no";
            } else if (row.IsNull(column)) {
                line += "NULL";
            } else if (column.type == TColumnType::Text || column.type == TColumnType::Memo) {
                const std::u16string text = row.Text(column);
                line += std::string(text.begin(), text.end());
            } else {
                for (const std::uint8_t b : row.Bytes(column)) {
                    static constexpr char kDigits[] = "0123456789ABCDEF";
                    line += {kDigits[b >> 4], kDigits[b & 15]};
                }
            }
        }
        rows.push_back(line);
    });
    return rows;
}

TEST(EditedTables, DeletedColumnsLeaveGapsThatTheRowsKeep) {
    // Five variable columns created, three of them deleted: two listed.
    textsdb::TableContent table{u"Edited",
                                {{u"Key", TColumnType::Text, 20},
                                 {.name = u"Old1", .deleted = true},
                                 {.name = u"Count", .type = TColumnType::Long, .deleted = true},
                                 {.name = u"Old2", .type = TColumnType::Memo, .deleted = true},
                                 {u"Value", TColumnType::Memo},
                                 {u"Amount", TColumnType::Currency},
                                 {.name = u"Old3", .deleted = true}},
                                {}};
    // Before the deletions, then after them.
    table.rows.push_back({{Text(u"k1"), Text(u"gone"), std::int64_t{7}, Text(u"long gone"),
                           Text(u"v1"), std::int64_t{10000}, Text(u"gone too")}});
    table.rows.push_back(
        {{Text(u"k2"), kNull, kNull, kNull, Text(u"v2"), std::int64_t{20000}, kNull}});
    table.rows.push_back({{Text(u"k3"), kNull, kNull, kNull, kNull, kNull, kNull}});
    const auto bytes = textsdb::WriteDatabase({table}, {});

    const jet::TDatabase database(bytes, "e.mdb", u"");
    const jet::TTable opened = database.OpenTable(u"Edited");
    const jet::TTableDefinition& definition = opened.Definition();
    ASSERT_EQ(definition.columns.size(), 3u);
    EXPECT_EQ(definition.columns[1].number, 4u);
    EXPECT_EQ(definition.columns[1].varIndex, 3u);
    EXPECT_EQ(definition.columns[2].fixedOffset, 4u);
    EXPECT_EQ(definition.varColumnCount, 5u);
    EXPECT_EQ(definition.maxColumnCount, 7u);
    EXPECT_EQ(Rows(bytes, u"Edited"), (std::vector<std::string>{
                                          "k1|v1|1027000000000000",
                                          "k2|v2|204E000000000000",
                                          "k3|NULL|NULL",
                                      }));
}

TEST(EditedTables, ColumnsAddedLaterReadAsNullInTheRowsWrittenBefore) {
    textsdb::TableContent table{u"Grown",
                                {{u"Id", TColumnType::Long},
                                 {u"Name", TColumnType::Text, 20},
                                 {u"Note", TColumnType::Memo},
                                 {u"Score", TColumnType::Integer},
                                 {u"Done", TColumnType::Boolean},
                                 {u"Weight", TColumnType::Numeric, 0, 10, 2}},
                                {}};
    table.rows.push_back(
        WrittenWith(2, {std::int64_t{1}, Text(u"one"), kNull, kNull, kNull, kNull}));
    table.rows.push_back(WrittenWith(
        4, {std::int64_t{2}, Text(u"two"), Text(u"note"), std::int64_t{-2}, kNull, kNull}));
    table.rows.push_back({{std::int64_t{3}, kNull, kNull, std::int64_t{3}, true, Decimal{"1.5"}}});
    EXPECT_EQ(Rows(textsdb::WriteDatabase({table}, {}), u"Grown"),
              (std::vector<std::string>{
                  "01000000|one|NULL|NULL|no|NULL",
                  "02000000|two|note|FEFF|no|NULL",
                  "03000000|NULL|NULL|0300|yes|0000000000000000000000000096000000",
              }));
}

TEST(EditedTables, RowsFromBeforeTheFirstVariableColumnHoldNoOffsetTable) {
    // Only fixed columns at first; a Text column added later.
    textsdb::TableContent added{
        u"Added", {{u"Id", TColumnType::Long}, {u"Note", TColumnType::Text, 20}}, {}};
    added.rows = {WrittenWith(1, {std::int64_t{1}, kNull}), {{std::int64_t{2}, Text(u"two")}}};
    // A Text column created after the first rows and deleted again: the definition counts a
    // variable column it no longer lists, whose number is one of the gaps.
    textsdb::TableContent deleted{u"Deleted",
                                  {{u"Id", TColumnType::Long},
                                   {.name = u"Note", .deleted = true},
                                   {u"Count", TColumnType::Integer}},
                                  {}};
    deleted.rows = {WrittenWith(1, {std::int64_t{1}, kNull, kNull}),
                    {{std::int64_t{2}, Text(u"gone"), std::int64_t{5}}},
                    {{std::int64_t{3}, kNull, std::int64_t{6}}}};
    const auto bytes = textsdb::WriteDatabase({added, deleted}, {});
    EXPECT_EQ(Rows(bytes, u"Added"), (std::vector<std::string>{"01000000|NULL", "02000000|two"}));
    EXPECT_EQ(Rows(bytes, u"Deleted"),
              (std::vector<std::string>{"01000000|NULL", "02000000|0500", "03000000|0600"}));
}

// The program's query gives the same rows from the demo texts however the table was edited.
TEST(EditedTables, ProgramTextsReadTheSameFromEveryShapeOfTheTextsTable) {
    std::ifstream in(std::string(QRV_SOURCE_DIR) + "/data/texts/QRV3RUN_2K.tsv", std::ios::binary);
    std::ostringstream source;
    source << in.rdbuf();
    const auto records = textsdb::ParseTsv(source.str());
    const std::vector<std::string> subDirCaptions = {"~BasketName", "~Series"};
    const auto keys = ProgramTextKeys(subDirCaptions);
    auto load = [&](const textsdb::TextsTableOptions& options, const std::string& language) {
        const auto bytes = textsdb::WriteDatabase({textsdb::BuildTextsTable(records, options)},
                                                  {.password = u"815C7d"});
        const jet::TDatabase database(bytes, "texts.mdb", kProgramTextsPassword);
        return ReadProgramTextRows(database, language, kProgramTextsGroup, keys);
    };
    for (const std::string language : {"ENGB", "DEDE", "CSCZ"}) {
        for (const bool memo : {true, false}) {
            const auto plain = load({.memo = memo}, language);
            ASSERT_GE(plain.size(), 19u) << language;
            for (const auto& [deletedColumn, addedColumn] :
                 {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
                EXPECT_EQ(load({.memo = memo,
                                .deletedCopies = true,
                                .overflowEvery = 5,
                                .deletedColumn = deletedColumn,
                                .addedColumn = addedColumn},
                               language),
                          plain)
                    << language << " memo " << memo << " deleted " << deletedColumn << " added "
                    << addedColumn;
            }
        }
    }
}

} // namespace
} // namespace qrv
