#include "jet_fixture.h"
#include "texts/jet/jet_error.h"
#include "texts/jet/text.h"
#include "texts/program_text_rows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qrv {
namespace {

using testing::TextRow;
using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;

const std::vector<std::string> kSubDirCaptions = {
    "~BasketName", "~CADFormatDesignation", "~FirstLetterOfSeries", "~Series", "~Teilenummer"};

Pairs Load(const std::vector<std::uint8_t>& bytes, const std::string& language,
           std::u16string_view group = kProgramTextsGroup) {
    const jet::TDatabase database(bytes, "texts.mdb", kProgramTextsPassword);
    const auto keys = ProgramTextKeys(kSubDirCaptions);
    return ReadProgramTextRows(database, language, group, keys);
}

TEST(ProgramTextKeys, AreTheNineteenFixedKeysThenTheSubfolderNames) {
    const auto keys = ProgramTextKeys(kSubDirCaptions);
    ASSERT_EQ(keys.size(), 24u);
    EXPECT_EQ(std::vector<std::u16string>(keys.end() - 5, keys.end()),
              (std::vector<std::u16string>{u"~BasketName", u"~CADFormatDesignation",
                                           u"~FirstLetterOfSeries", u"~Series", u"~Teilenummer"}));
    // Subfolder names are 8-bit and widened from the ANSI code page.
    EXPECT_EQ(ProgramTextKeys(std::vector<std::string>{"Gr\xFC\xDF"}).back(), u"Gr\u00fc\u00df");
}

TEST(ReadProgramTextRows, FiltersLanguageGroupAndKeysWithoutRegardToCase) {
    for (const bool memo : {true, false}) {
        const auto bytes = testing::TextsDatabase(
            {
                {u"ENGB", u"PROGRAM", u"~Export", u"Export"},
                {u"DEDE", u"PROGRAM", u"~Export", u"Exportieren"},
                {u"ENGB", u"CATALOG", u"~Close", u"Close catalogue"},
                {u"ENGB", u"PROGRAM", u"~NotAProgramKey", u"x"},
                {u"engb", u"program", u"~EXPORT", u"EXPORT"},
                {u"ENGB", u"PROGRAM", u"~teilenummer", u"Part number"},
            },
            memo);
        EXPECT_EQ(Load(bytes, "engb"), (Pairs{{u"~Export", u"Export"},
                                              {u"~EXPORT", u"EXPORT"},
                                              {u"~teilenummer", u"Part number"}}))
            << "memo " << memo;
        EXPECT_EQ(Load(bytes, "DEDE"), (Pairs{{u"~Export", u"Exportieren"}}));
        EXPECT_EQ(Load(bytes, "ENGB", u"catalog"), (Pairs{{u"~Close", u"Close catalogue"}}));
        EXPECT_TRUE(Load(bytes, "FRFR").empty());
        EXPECT_TRUE(Load(bytes, "").empty());
    }
}

TEST(ReadProgramTextRows, KeepsStorageOrderSoThatTheLaterDuplicateComesLast) {
    const auto bytes = testing::TextsDatabase({
        {u"ENGB", u"PROGRAM", u"~Close", u"first"},
        {u"ENGB", u"PROGRAM", u"~Abbruch", u"Cancel"},
        {u"ENGB", u"PROGRAM", u"~Close", u"second"},
    });
    EXPECT_EQ(Load(bytes, "ENGB"),
              (Pairs{{u"~Close", u"first"}, {u"~Abbruch", u"Cancel"}, {u"~Close", u"second"}}));
}

TEST(ReadProgramTextRows, TreatsTheLanguageAsDataAndNullsAsJetDoes) {
    const auto bytes = testing::TextsDatabase({
        {u"EN'GB", u"PROGRAM", u"~Close", u"quoted"},
        {std::nullopt, u"PROGRAM", u"~Close", u"no language"},
        {u"ENGB", std::nullopt, u"~Close", u"no group"},
        {u"ENGB", u"PROGRAM", std::nullopt, u"no key"},
        {u"ENGB", u"PROGRAM", u"~Total", std::nullopt},
        {u"ENGB", u"PROGRAM", u"~Finished", u""},
    });
    EXPECT_EQ(Load(bytes, "EN'GB"), (Pairs{{u"~Close", u"quoted"}}));
    EXPECT_EQ(Load(bytes, "EN'GB') OR ('1'='1"), Pairs{});
    EXPECT_EQ(Load(bytes, "ENGB"), (Pairs{{u"~Total", u""}, {u"~Finished", u""}}));
}

TEST(ReadProgramTextRows, ComparesLettersOutsideAsciiWithoutRegardToCase) {
    const auto bytes = testing::TextsDatabase({
        {u"\u010cSCZ", u"PROGRAM", u"~Close", u"Zav\u0159\u00edt"},
    });
    EXPECT_EQ(Load(bytes, "\xC8scz").size(), 0u); // 0xC8 is È in Windows-1252, not Č
    EXPECT_EQ(jet::FoldCase(u"\u010cSCZ \u00c4\u0416\u0394"), u"\u010dscz \u00e4\u0436\u03b4");
}

TEST(ReadProgramTextRows, NamesTheFileForAMissingTableOrColumnOrAWrongKind) {
    textsdb::TableContent other{u"OTHER", {{u"A", jet::TColumnType::Text}}, {}};
    const auto noTable = textsdb::WriteDatabase({other}, {});
    EXPECT_THAT([&] { Load(noTable, "ENGB"); },
                ::testing::ThrowsMessage<jet::EJetError>(
                    ::testing::StrEq("texts.mdb: the database has no table X_PROGRAMSTRINGS")));

    auto table = testing::TextsTable({});
    table.columns[3].name = u"TEXT_";
    const auto noColumn = textsdb::WriteDatabase({table}, {});
    EXPECT_THAT([&] { Load(noColumn, "ENGB"); },
                ::testing::ThrowsMessage<jet::EJetError>(
                    ::testing::StrEq("texts.mdb: the table X_PROGRAMSTRINGS has no column TXT_")));

    table = testing::TextsTable({});
    table.columns[3].type = jet::TColumnType::Long;
    const auto wrongKind = textsdb::WriteDatabase({table}, {});
    EXPECT_THAT([&] { Load(wrongKind, "ENGB"); },
                ::testing::ThrowsMessage<jet::EJetError>(::testing::StrEq(
                    "texts.mdb: the column TXT_ of table X_PROGRAMSTRINGS is a Long Integer "
                    "column; a Text or Memo column is expected")));
}

} // namespace
} // namespace qrv
