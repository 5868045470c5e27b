#include "cadsim/core/cad_formats.h"

#include <gtest/gtest.h>

#include <set>

namespace qrv::cadsim {
namespace {

TEST(CadFormats, BuiltInListHasDistinctDisplayAndSettingsNames) {
    const auto formats = DefaultCadFormats();
    ASSERT_GE(formats.size(), 6u);
    std::set<std::u16string> settingsNames;
    for (const auto& format : formats) {
        EXPECT_NE(format.displayName, format.settingsName);
        EXPECT_FALSE(format.extension.empty());
        EXPECT_TRUE(settingsNames.insert(format.settingsName).second) << "unique settings name";
    }
    EXPECT_EQ(settingsNames.count(u"STL"), 1u);
    EXPECT_EQ(settingsNames.count(u"STEP-AP214"), 1u);
}

TEST(CadFormats, ParsesDisplaySettingsAndExtension) {
    const auto formats = ParseCadFormats(u"STEP 214|STEP-AP214;Mesh|STL|;Own|OWN|own;Plain");
    ASSERT_EQ(formats.size(), 4u);
    EXPECT_EQ(formats[0].displayName, u"STEP 214");
    EXPECT_EQ(formats[0].settingsName, u"STEP-AP214");
    EXPECT_EQ(formats[0].extension, u"stp"); // from the built-in list
    EXPECT_EQ(formats[1].extension, u"");    // given as empty
    EXPECT_EQ(formats[2].extension, u"own");
    EXPECT_EQ(formats[3].displayName, u"Plain");
    EXPECT_EQ(formats[3].settingsName, u"Plain");
    EXPECT_EQ(formats[3].extension, u"txt");
}

TEST(CadFormats, EmptyEntriesAreSkippedSoASemicolonOffersNothing) {
    EXPECT_TRUE(ParseCadFormats(u";").empty());
    EXPECT_TRUE(ParseCadFormats(u"").empty());
    EXPECT_EQ(ParseCadFormats(u";;A|a;;").size(), 1u);
    const auto blank = ParseCadFormats(u"|");
    ASSERT_EQ(blank.size(), 1u);
    EXPECT_TRUE(blank[0].displayName.empty());
    EXPECT_TRUE(blank[0].settingsName.empty());
}

TEST(CadFormats, DesignationFallsBackFromSettingsToDisplayToIndex) {
    EXPECT_EQ(FormatDesignation({u"D", u"S", u""}, 3), u"S");
    EXPECT_EQ(FormatDesignation({u"D", u"", u""}, 3), u"D");
    EXPECT_EQ(FormatDesignation({u"", u"", u""}, 3), u"format3");
}

TEST(CadFormats, StlIsRecognisedByItsExtension) {
    EXPECT_TRUE(IsStl({u"x", u"y", u"STL"}));
    EXPECT_TRUE(IsStl({u"x", u"y", u"stl"}));
    EXPECT_FALSE(IsStl({u"STL", u"STL", u"stp"}));
    EXPECT_EQ(ExtensionForSettingsName(u"stl"), u"stl");
}

TEST(CadFormats, FieldsArePercentDecodedAfterTheSplit) {
    std::vector<std::string> problems;
    const auto formats =
        ParseCadFormats(u"A%3BB|X%0D%0A[System]%0D%0AKey=1|t%7Cx;Semi~*~colon|50%25;"
                        u"%C3%9Cber|%c3%bc%E2%82%AC",
                        problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(formats.size(), 3u);
    EXPECT_EQ(formats[0].displayName, u"A;B");
    EXPECT_EQ(formats[0].settingsName, u"X\r\n[System]\r\nKey=1");
    EXPECT_EQ(formats[0].extension, u"t|x");
    EXPECT_EQ(formats[1].displayName, u"Semi~*~colon");
    EXPECT_EQ(formats[1].settingsName, u"50%");
    EXPECT_EQ(formats[1].extension, u"txt");
    EXPECT_EQ(formats[2].displayName, u"\u00dcber");
    EXPECT_EQ(formats[2].settingsName, u"\u00fc\u20ac");
}

TEST(CadFormats, LongNamesNeedNoEscapes) {
    const std::u16string name(3000, u'N');
    const auto formats = ParseCadFormats(u"Long|" + name);
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(formats[0].settingsName, name);
}

TEST(CadFormats, BadEscapesAreProblems) {
    for (const std::u16string text : {u"100%", u"A|%4", u"A|%G0", u"%FF", u"%C3x", u"%C3%28"}) {
        std::vector<std::string> problems;
        ParseCadFormats(text, problems);
        EXPECT_EQ(problems.size(), 1u) << std::string(text.begin(), text.end());
    }
    std::vector<std::string> problems;
    ParseCadFormats(u"Fine|ok;Bad|%zz", problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "not a %XX escape or not UTF-8: %zz");
}

TEST(CadFormats, GeneratedFormatsNameTheirIndex) {
    const CadFormat format = GeneratedCadFormat(2147483646);
    EXPECT_EQ(format.displayName, u"Format 2147483646");
    EXPECT_EQ(format.settingsName, u"FORMAT-2147483646");
    EXPECT_EQ(format.extension, u"txt");
}

} // namespace
} // namespace qrv::cadsim
