#include "jet_fixture.h"
#include "texts/jet/database.h"
#include "texts/jet/header.h"
#include "texts/jet/jet_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qrv {
namespace {

using ::testing::StrEq;
using testing::TextRow;
using ::testing::ThrowsMessage;

std::vector<std::u16string> Texts(const std::vector<std::uint8_t>& bytes,
                                  std::u16string_view password = u"815C7d") {
    const jet::TDatabase database(bytes, "t.mdb", password);
    const jet::TTable table = database.OpenTable(u"x_programstrings");
    const jet::TColumn& text = table.ColumnNamed(u"txt_");
    std::vector<std::u16string> texts;
    table.ForEachRow([&](const jet::TRowView& row) { texts.push_back(row.Text(text)); });
    return texts;
}

std::u16string Repeat(std::u16string_view piece, std::size_t length) {
    std::u16string text;
    while (text.size() < length) {
        text += piece;
    }
    text.resize(length);
    return text;
}

TEST(JetHeader, IsMaskedWithTheRc4StreamOfTheFixedKey) {
    std::vector<std::uint8_t> zeros(8, 0);
    jet::MaskHeaderArea(zeros);
    EXPECT_EQ(zeros, (std::vector<std::uint8_t>{0xB5, 0x6F, 0x03, 0x62, 0x61, 0x08, 0xC2, 0x55}));
}

TEST(JetDatabase, ReadsTextsInEveryStorageForm) {
    const std::u16string czech = u"\u010c\u00edslo d\u00edlu";
    const std::u16string inlineMemo = u"Short memo";
    const std::u16string singleRow = Repeat(u"One LVAL row. ", 1500);            // > 64, < a page
    const std::u16string chain = Repeat(u"Chained \u0159ada ", 9000);            // three pages
    const std::u16string compressedChain = Repeat(u"Latin-1 only \u00e9 ", 900); // compressed
    for (const bool compress : {true, false}) {
        textsdb::WriterOptions options;
        options.compressText = compress;
        const auto memo = testing::TextsDatabase({{u"A", u"G", u"~1", czech},
                                                  {u"A", u"G", u"~2", inlineMemo},
                                                  {u"A", u"G", u"~3", singleRow},
                                                  {u"A", u"G", u"~4", chain},
                                                  {u"A", u"G", u"~5", compressedChain},
                                                  {u"A", u"G", u"~6", u""}},
                                                 true, options);
        EXPECT_EQ(Texts(memo), (std::vector<std::u16string>{czech, inlineMemo, singleRow, chain,
                                                            compressedChain, u""}))
            << "compress " << compress;
        const auto text = testing::TextsDatabase(
            {{u"A", u"G", u"~1", czech}, {u"A", u"G", u"~2", Repeat(u"\u00e4b", 255)}}, false,
            options);
        EXPECT_EQ(Texts(text), (std::vector<std::u16string>{czech, Repeat(u"\u00e4b", 255)}));
    }
}

TEST(JetDatabase, SkipsDeletedRowsAndFollowsOverflowRowsInStorageOrder) {
    std::vector<TextRow> rows;
    for (int i = 0; i < 300; ++i) {
        const std::u16string n(u"~" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
        rows.push_back({u"A", u"G", n, u"deleted", true});
        rows.push_back({u"A", u"G", n, Repeat(u"row ", 40 + i % 7), false, i % 3 == 0});
    }
    std::vector<std::u16string> expected;
    for (int i = 0; i < 300; ++i) {
        expected.push_back(Repeat(u"row ", 40 + i % 7));
    }
    EXPECT_EQ(Texts(testing::TextsDatabase(rows)), expected);
}

TEST(JetDatabase, ListsPagesThroughEitherKindOfUsageMap) {
    // Long texts as Text(255) fill a page every 7 rows: 4000 rows need a reference map.
    std::vector<TextRow> rows;
    for (int i = 0; i < 4000; ++i) {
        rows.push_back({u"A", u"G", u"~K", Repeat(u"\u0159", 255)});
    }
    rows.back().text = u"last";
    const auto bytes = testing::TextsDatabase(rows, false);
    EXPECT_GT(bytes.size(), 512u * 4096u);
    const auto texts = Texts(bytes);
    ASSERT_EQ(texts.size(), 4000u);
    EXPECT_EQ(texts.back(), u"last");
}

TEST(JetDatabase, ReadsEncryptedDatabases) {
    textsdb::WriterOptions options;
    options.encodingKey = 0x5A17C0DE;
    const std::u16string chain = Repeat(u"Encrypted \u0159ada ", 5000);
    const auto bytes = testing::TextsDatabase(
        {{u"A", u"G", u"~1", u"plain"}, {u"A", u"G", u"~2", chain}}, true, options);
    EXPECT_EQ(jet::TDatabase(bytes, "t.mdb", u"815C7d").Header().encodingKey, 0x5A17C0DEu);
    EXPECT_EQ(Texts(bytes), (std::vector<std::u16string>{u"plain", chain}));
}

TEST(JetDatabase, ChecksTheDatabasePasswordExactly) {
    const auto bytes = testing::TextsDatabase({{u"A", u"G", u"~K", u"t"}});
    EXPECT_EQ(Texts(bytes, u"815C7d").size(), 1u);
    for (const std::u16string_view wrong : {u"815c7d", u"", u"815C7d "}) {
        EXPECT_THAT([&] { Texts(bytes, wrong); },
                    ThrowsMessage<jet::EJetError>(StrEq("t.mdb: Not a valid password.")));
    }
    textsdb::WriterOptions full;
    full.password = u"twenty characters!!!";
    EXPECT_EQ(Texts(testing::TextsDatabase({}, true, full), full.password).size(), 0u);
}

TEST(JetDatabase, OpensADatabaseWithoutPasswordWithAnyPassword) {
    const auto bytes = textsdb::WriteDatabase({testing::TextsTable({{u"A", u"G", u"~K", u"t"}})},
                                              textsdb::WriterOptions{});
    EXPECT_EQ(Texts(bytes, u"815C7d").size(), 1u);
    EXPECT_EQ(jet::TDatabase(bytes, "t.mdb", u"").Header().password, u"");
}

TEST(JetDatabase, RefusesOtherFileVersionsNamingTheFile) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "t.mdb: the database file version is Jet 3 (Access 97); only Jet 4 (Access "
            "2000-2003) files can be read"},
        {2, "t.mdb: the database file version is ACE 12 (Access 2007); only Jet 4 (Access "
            "2000-2003) files can be read"},
        {5, "t.mdb: the database file version is ACE 16 (Access 2016); only Jet 4 (Access "
            "2000-2003) files can be read"},
        {9, "t.mdb: the database file version is unknown (version byte 9); only Jet 4 (Access "
            "2000-2003) files can be read"},
    };
    for (const auto& [version, message] : cases) {
        textsdb::WriterOptions options;
        options.versionByte = version;
        const auto bytes = testing::TextsDatabase({}, true, options);
        EXPECT_THAT([&] { jet::TDatabase(bytes, "t.mdb", u"815C7d"); },
                    ThrowsMessage<jet::EJetError>(StrEq(message)));
    }
}

TEST(JetDatabase, ListsTablesAndColumnsInColumnOrder) {
    const auto bytes = testing::TextsDatabase({});
    const jet::TDatabase database(bytes, "t.mdb", u"815C7d");
    EXPECT_EQ(database.TableNames(),
              (std::vector<std::u16string>{u"MSysObjects", u"X_PROGRAMSTRINGS"}));
    const jet::TTable table = database.OpenTable(u"X_PROGRAMSTRINGS");
    ASSERT_EQ(table.Columns().size(), 4u);
    EXPECT_EQ(table.Columns()[0].name, u"LNGID_");
    EXPECT_EQ(table.Columns()[3].type, jet::TColumnType::Memo);
    EXPECT_THAT([&] { database.OpenTable(u"Nope"); },
                ThrowsMessage<jet::EJetError>(StrEq("t.mdb: the database has no table Nope")));
}

TEST(JetDatabase, NamesWhereTheRowsOfALinkedTableLive) {
    const auto bytes = textsdb::WriteDatabase(
        {testing::TextsTable({}, true)}, {.password = u"815C7d"},
        {{u"X_PROGRAMSTRINGS_MASTER", u"\\\\server\\texts\\Master.mdb", u"X_PROGRAMSTRINGS"},
         {.name = u"Remote", .database = u"TextsDsn", .foreignName = u"dbo.Texts", .odbc = true}});
    const jet::TDatabase database(bytes, "t.mdb", u"815C7d");
    EXPECT_EQ(database.TableNames(),
              (std::vector<std::u16string>{u"MSysObjects", u"X_PROGRAMSTRINGS"}));
    EXPECT_THAT([&] { database.OpenTable(u"x_programstrings_master"); },
                ThrowsMessage<jet::EJetError>(
                    StrEq("t.mdb: the table X_PROGRAMSTRINGS_MASTER is linked to the table "
                          "X_PROGRAMSTRINGS of \\\\server\\texts\\Master.mdb; only tables stored "
                          "in the database itself can be read")));
    EXPECT_THAT([&] { database.OpenTable(u"Remote"); },
                ThrowsMessage<jet::EJetError>(
                    StrEq("t.mdb: the table Remote is linked to an ODBC data source; only tables "
                          "stored in the database itself can be read")));
}

} // namespace
} // namespace qrv
