// Our files are real Jet 4 files: mdbtools' mdb-export reads them back as we wrote them, and
// the dump prints what mdb-export prints for the common column types.

#include "dump.h"
#include "sample_database.h"
#include "texts/jet/database.h"
#include "texts/jet_fixture.h"
#include "texts_table.h"
#include "tsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "platform/utf.h"

namespace qrv {
namespace {

std::string Shell(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return output;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        output.append(buffer.data(), n);
    }
    pclose(pipe);
    return output;
}

class MdbExport : public ::testing::Test {
protected:
    void SetUp() override {
        if (Shell("command -v mdb-export").empty()) {
            GTEST_SKIP() << "mdb-export (Debian's mdbtools) is not installed";
        }
        directory_ = std::filesystem::temp_directory_path() /
                     ("qrv_mdb_export_" + std::to_string(::getpid()));
        std::filesystem::create_directories(directory_);
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    // mdb-export's output and our dump of the same table.
    std::pair<std::string, std::string> Both(const std::vector<std::uint8_t>& bytes,
                                             const std::string& table) {
        const auto path = directory_ / "fixture.mdb";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        const std::string exported = Shell("mdb-export -d '\\t' -Q -e -T '%Y-%m-%d %H:%M:%S' '" +
                                           path.string() + "' " + table + " 2>&1");
        const jet::TDatabase database(bytes, "fixture.mdb", u"815C7d");
        std::ostringstream dumped;
        textsdb::DumpTable(database.OpenTable(Utf8ToUtf16(table)), dumped, "");
        return {exported, dumped.str()};
    }

    std::filesystem::path directory_;
};

TEST_F(MdbExport, ReadsTextsDatabasesAsWritten) {
    const std::u16string longText = std::u16string(3000, u'x') + u"\u0159" + u"\ttab\\";
    const std::vector<testing::TextRow> rows = {
        {u"ENGB", u"PROGRAM", u"~Close", u"Close"},
        {u"CSCZ", u"PROGRAM", u"~Close", u"Zav\u0159\u00edt"},
        {u"DEDE", u"PROGRAM", u"~Multi", u"line one\nline two\r\nback\\slash"},
        {u"ENGB", u"OTHER", u"~Null", std::nullopt},
        {u"ENGB", u"PROGRAM", u"~Long", longText},
        {u"ENGB", u"PROGRAM", u"~Longer", std::u16string(9000, u'\u00e9')},
    };
    for (const bool memo : {true, false}) {
        for (const bool compress : {true, false}) {
            textsdb::WriterOptions options;
            options.compressText = compress;
            options.encodingKey = compress ? 0 : 0x0BADF00D; // and encrypted pages
            auto table = rows;
            if (!memo) {
                table.pop_back();
                table.back().text = u"255 at most";
            }
            const auto [exported, dumped] =
                Both(testing::TextsDatabase(table, memo, options), "X_PROGRAMSTRINGS");
            EXPECT_EQ(exported, dumped) << "memo " << memo << " compress " << compress;
            EXPECT_NE(exported.find("Zav\xC5\x99\xC3\xADt"), std::string::npos);
        }
    }
}

TEST_F(MdbExport, DumpPrintsCommonColumnTypesAsMdbExportDoes) {
    using jet::TColumnType;
    textsdb::TableContent table{u"Types",
                                {{u"Name", TColumnType::Text, 50},
                                 {u"Flag", TColumnType::Boolean},
                                 {u"Small", TColumnType::Byte},
                                 {u"Count", TColumnType::Integer},
                                 {u"Big", TColumnType::Long},
                                 {u"Price", TColumnType::Currency},
                                 {u"Ratio", TColumnType::Single},
                                 {u"Exact", TColumnType::Double},
                                 {u"When", TColumnType::DateTime},
                                 {u"Notes", TColumnType::Memo}},
                                {}};
    table.rows.push_back({{std::u16string(u"first"), true, std::int64_t{200}, std::int64_t{-7},
                           std::int64_t{2000000000}, std::int64_t{123456}, 0.5, 3.25, 45292.5,
                           std::u16string(u"memo")}});
    table.rows.push_back(
        {{std::monostate{}, false, std::int64_t{0}, std::int64_t{32767}, std::int64_t{-1},
          std::int64_t{-15000}, -2.0, 1e-3, 36526.0, std::monostate{}}});
    table.rows.push_back(
        {{std::u16string(u""), true, std::monostate{}, std::monostate{}, std::monostate{},
          std::int64_t{5}, std::monostate{}, 100.0, 2.75, std::u16string(u"")}});
    const auto [exported, dumped] = Both(textsdb::WriteDatabase({table}, {}), "Types");
    EXPECT_EQ(exported, dumped);
}

// Columns deleted and added over the years with rows from before and after, Decimal columns,
// and the texts table so edited: mdb-export reads every one of them as we do.
TEST_F(MdbExport, ReadsTablesAsAccessLeavesThemAfterEditing) {
    const textsdb::SampleDatabase sample = textsdb::EditedSample();
    const auto bytes = textsdb::WriteDatabase(sample.tables, {}, sample.linkedTables);
    for (const textsdb::TableContent& table : sample.tables) {
        const std::string name = Utf16ToUtf8(table.name);
        const auto [exported, dumped] = Both(bytes, name);
        EXPECT_EQ(exported, dumped) << name;
        EXPECT_EQ(std::count(dumped.begin(), dumped.end(), '\n'), 4) << dumped;
    }
    EXPECT_NE(Both(bytes, "Decimals").second.find("b\t-12.34\t-7\t-0.0000000001\n"),
              std::string::npos);

    const auto records = textsdb::ParseTsv("LNGID_\tGROUP_\tTEXTID_\tTXT_\n"
                                           "ENGB\tPROGRAM\t~Close\tClose\n"
                                           "CSCZ\tPROGRAM\t~Close\tZav\xC5\x99\xC3\xADt\n"
                                           "DEDE\tPROGRAM\t~Close\t\\N\n"
                                           "DEDE\tPROGRAM\t~Export\tExportieren\n");
    for (const bool memo : {true, false}) {
        const textsdb::TextsTableOptions options{
            .memo = memo, .deletedColumn = true, .addedColumn = true};
        const auto [exported, dumped] =
            Both(textsdb::WriteDatabase({textsdb::BuildTextsTable(records, options)}, {}),
                 "X_PROGRAMSTRINGS");
        EXPECT_EQ(exported, dumped) << "memo " << memo;
        EXPECT_NE(exported.find("DEDE\tPROGRAM\t~Export\tExportieren\tcomment\n"),
                  std::string::npos)
            << exported;
    }
}

TEST_F(MdbExport, ReadsDatabasesOfAnotherSortOrder) {
    textsdb::WriterOptions options;
    options.sortOrder = 0x0405; // Czech
    const auto bytes =
        testing::TextsDatabase({{u"CSCZ", u"PROGRAM", u"~Close", u"Zav\u0159\u00edt"},
                                {u"ENGB", u"PROGRAM", u"~Close", u"Close"}},
                               true, options);
    const auto [exported, dumped] = Both(bytes, "X_PROGRAMSTRINGS");
    EXPECT_EQ(exported, dumped);
    EXPECT_NE(dumped.find("Zav\xC5\x99\xC3\xADt"), std::string::npos);
}

} // namespace
} // namespace qrv
