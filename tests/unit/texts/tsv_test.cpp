#include "texts_table.h"
#include "tsv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qrv::textsdb {
namespace {

TEST(Tsv, UnescapesFieldsAndSkipsCommentsAndBlankLines) {
    const auto records = ParseTsv("# comment\n\na\\tb\\nc\\rd\\\\e\t\\N\t\\\\N\r\n\xC3\xA9\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].line, 3u);
    ASSERT_EQ(records[0].fields.size(), 3u);
    EXPECT_EQ(records[0].fields[0], u"a\tb\nc\rd\\e");
    EXPECT_EQ(records[0].fields[1], std::nullopt);
    EXPECT_EQ(records[0].fields[2], u"\\N");
    EXPECT_EQ(records[1].fields[0], u"\u00e9");
    for (const auto& field : records[0].fields) {
        EXPECT_EQ(ParseTsv(EscapeTsvField(field))[0].fields[0], field);
    }
}

TEST(Tsv, RejectsUnknownEscapesAndMalformedTextsSources) {
    EXPECT_THAT([] { ParseTsv("ok\nbad\\x\n"); },
                ::testing::ThrowsMessage<std::runtime_error>(
                    ::testing::StrEq("line 2: unknown escape (use \\t \\n \\r \\\\ or \\N)")));
    EXPECT_THAT([] { BuildTextsTable(ParseTsv("LNGID_\tGROUP_\tTEXTID_\n"), {}); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::StrEq(
                    "line 1: the header must name LNGID_, GROUP_, TEXTID_, TXT_")));
    EXPECT_THAT([] { BuildTextsTable(ParseTsv("LNGID_\tGROUP_\tTEXTID_\tTXT_\nA\tB\tC\n"), {}); },
                ::testing::ThrowsMessage<std::runtime_error>(
                    ::testing::StrEq("line 2: 3 fields instead of 4")));
}

} // namespace
} // namespace qrv::textsdb
