// Damaged and hostile files: each one is a writer output with one structure broken, and
// each must end in the exact EJetError that names the file and the broken structure.

#include "jet_fixture.h"
#include "texts/jet/database.h"
#include "texts/jet/jet_error.h"
#include "texts/program_text_rows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qrv {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

constexpr std::size_t kPage = 4096;
constexpr std::uint32_t kTextsTdef = 3; // the writer puts the first user table here

struct Fixture {
    std::vector<std::uint8_t> bytes;

    std::uint8_t* Page(std::uint32_t n) { return bytes.data() + n * kPage; }
    std::uint32_t U32(std::uint32_t page, std::size_t at) {
        const std::uint8_t* p = Page(page) + at;
        return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    void Put16(std::uint32_t page, std::size_t at, std::uint16_t v) {
        ASSERT_LE((page + 1) * kPage, bytes.size());
        Page(page)[at] = static_cast<std::uint8_t>(v);
        Page(page)[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void Put32(std::uint32_t page, std::size_t at, std::uint32_t v) {
        Put16(page, at, v & 0xFFFF);
        Put16(page, at + 2, v >> 16);
    }
    // The first data page whose owner field holds `owner`.
    std::uint32_t DataPageOf(std::uint32_t owner) {
        for (std::uint32_t n = 1; n * kPage < bytes.size(); ++n) {
            if (Page(n)[0] == 0x01 && U32(n, 4) == owner) {
                return n;
            }
        }
        ADD_FAILURE() << "no data page of " << owner;
        return 0;
    }
    std::uint16_t RowStart(std::uint32_t page, int row) {
        return (Page(page)[14 + 2 * row] | (Page(page)[15 + 2 * row] << 8)) & 0x1FFF;
    }
};

Fixture Texts(std::vector<testing::TextRow> rows = {{u"ENGB", u"PROGRAM", u"~Close", u"Close"}},
              bool memo = true) {
    return {testing::TextsDatabase(rows, memo)};
}

void Load(const std::vector<std::uint8_t>& bytes) {
    const jet::TDatabase database(bytes, "c.mdb", kProgramTextsPassword);
    const std::vector<std::string> names = {"~BasketName"};
    ReadProgramTextRows(database, "ENGB", kProgramTextsGroup, ProgramTextKeys(names));
}

void ExpectError(const std::vector<std::uint8_t>& bytes, const std::string& message) {
    EXPECT_THAT([&] { Load(bytes); }, ThrowsMessage<jet::EJetError>(StrEq(message)));
}

TEST(JetCorruption, FilesThatAreNoJetDatabase) {
    ExpectError(std::vector<std::uint8_t>(100, 0),
                "c.mdb: not a Jet database: the file has 100 bytes, less than one 4096-byte "
                "page");
    Fixture f = Texts();
    f.bytes[5] = 'X';
    ExpectError(f.bytes, "c.mdb: not a Jet database (no \"Standard Jet DB\" header)");
}

TEST(JetCorruption, TruncatedFile) {
    Fixture f = Texts();
    const std::uint32_t data = f.DataPageOf(kTextsTdef);
    f.bytes.resize(data * kPage + 100); // the last page is partial: not addressable
    ExpectError(f.bytes,
                "c.mdb: data of table MSysObjects: page " + std::to_string(f.U32(2, 55) >> 8) +
                    " lies beyond the end of the file (" + std::to_string(data) + " pages)");
}

TEST(JetCorruption, DamagedDataPages) {
    Fixture f = Texts();
    const std::uint32_t data = f.DataPageOf(kTextsTdef);
    f.Put16(data, 12, 0xFFFF);
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: a data page claims 65535 rows, "
                         "more than fit");

    f = Texts();
    f.Put16(data, 14, 0x1FFF);
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: row 0 has a bad position (8191 "
                         "to 4096)");

    // The row ends with: offsets of the variable columns, their count, the null mask.
    f = Texts();
    f.Put16(data, kPage - 1 - 2 - 2, 0xFFFF);
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: variable column 0 of a row in "
                         "X_PROGRAMSTRINGS has a bad position (65535 to 8)");

    f = Texts();
    const std::uint16_t start = f.RowStart(data, 0);
    f.Put16(data, start, 2000); // the row's column count: the null mask would not fit
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: a row of " +
                             std::to_string(kPage - start) +
                             " bytes is too short for 2000 "
                             "columns");
}

TEST(JetCorruption, DamagedTableDefinitions) {
    Fixture f = Texts();
    f.Put32(kTextsTdef, 4, kTextsTdef); // the definition continues on itself
    ExpectError(f.bytes,
                "c.mdb: table definition of X_PROGRAMSTRINGS: the chain of definition pages "
                "loops");

    f = Texts();
    f.Put16(kTextsTdef, 45, 0);
    ExpectError(f.bytes, "c.mdb: table definition of X_PROGRAMSTRINGS: implausible column count 0");

    f = Texts();
    f.Put16(kTextsTdef, 63 + 4 * 25, 0xFFF0); // the first column name's length
    ExpectError(f.bytes, "c.mdb: table definition of X_PROGRAMSTRINGS: implausible column "
                         "name length 65520");

    f = Texts();
    f.Put32(kTextsTdef, 51, 400); // real indexes: their blocks would pass the page's end
    ExpectError(f.bytes, "c.mdb: table definition of X_PROGRAMSTRINGS: 400 index blocks do not "
                         "fit the definition");

    f = Texts();
    f.Page(kTextsTdef)[0] = 0x01;
    ExpectError(f.bytes, "c.mdb: table definition of X_PROGRAMSTRINGS: page 3 is not a table "
                         "definition page");
}

TEST(JetCorruption, DamagedUsageMaps) {
    Fixture f = Texts();
    const std::uint32_t map = f.U32(kTextsTdef, 55);
    const std::uint32_t mapPage = map >> 8;
    const std::uint16_t mapRow = f.RowStart(mapPage, map & 0xFF);
    f.Put32(mapPage, mapRow + 1, 0xFFFFFF00); // the first page the inline map covers
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: the usage map marks page "
                         "4294967040, beyond the end of the file");

    f = Texts();
    f.Page(mapPage)[mapRow] = 7;
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: unknown usage map type 7");
}

TEST(JetCorruption, LoopsAndLengthsOfLongValuesAndOverflowRows) {
    const std::u16string longText(5000, u'\u0159'); // 10000 bytes: a chain of three rows
    Fixture f = Texts({{u"ENGB", u"PROGRAM", u"~Close", longText}});
    const std::uint32_t lval = f.DataPageOf(0x4C41564C);
    f.Put32(lval, f.RowStart(lval, 0), lval << 8); // the first row continues on itself
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: the pages of a long value form "
                         "a loop");

    f = Texts({{u"ENGB", u"PROGRAM", u"~Close", longText}});
    const std::uint32_t data = f.DataPageOf(kTextsTdef);
    // The 12-byte memo field is the last variable value, just before the offset table.
    const std::size_t memo = kPage - 1 - 2 - 2 * 5 - 12;
    f.Put32(data, memo, 0x3FFFFFFF);
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: a long value claims 1073741823 "
                         "bytes, more than the file holds");

    f = Texts({{u"ENGB", u"PROGRAM", u"~Close", u"t", false, true}});
    const std::uint32_t slotPage = f.DataPageOf(kTextsTdef);
    f.Put32(slotPage, f.RowStart(slotPage, 0),
            slotPage << 8); // the overflow row points back at its own slot
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: an overflow row leads in a loop");
}

TEST(JetCorruption, OverflowChainsOfAnyLengthAreFollowedAndLoopsInThemRefused) {
    // A row moved twenty times: its slot, then nineteen places that hold a pointer on.
    auto table = testing::TextsTable({{u"ENGB", u"PROGRAM", u"~Close", u"moved often"}});
    table.rows[0].moves = 20;
    Fixture f{textsdb::WriteDatabase({table}, {.password = u"815C7d"})};
    const jet::TDatabase database(f.bytes, "c.mdb", kProgramTextsPassword);
    const std::vector<std::string> names;
    EXPECT_EQ(
        ReadProgramTextRows(database, "ENGB", kProgramTextsGroup, ProgramTextKeys(names)),
        (std::vector<std::pair<std::u16string, std::u16string>>{{u"~Close", u"moved often"}}));

    // The tenth place leads back to the fifth.
    std::vector<std::uint32_t> chain = {
        f.U32(f.DataPageOf(kTextsTdef), f.RowStart(f.DataPageOf(kTextsTdef), 0))};
    while (chain.size() < 10) {
        const std::uint32_t at = chain.back();
        chain.push_back(f.U32(at >> 8, f.RowStart(at >> 8, at & 0xFF)));
    }
    const std::uint32_t tenth = chain.back();
    f.Put32(tenth >> 8, f.RowStart(tenth >> 8, tenth & 0xFF), chain[4]);
    ExpectError(f.bytes, "c.mdb: data of table X_PROGRAMSTRINGS: an overflow row leads in a loop");
}

} // namespace
} // namespace qrv
