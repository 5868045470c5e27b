#include "settings/wide_upper_case.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(WideUpperCase, MapsTheLettersOfTheCommonScripts) {
    EXPECT_EQ(WideUpperCase(u"abc xyz 09"), u"ABC XYZ 09");
    EXPECT_EQ(WideUpperCase(u"\u00e0\u00e9\u00f6\u00fe\u00ff"), u"\u00c0\u00c9\u00d6\u00de\u0178");
    EXPECT_EQ(WideUpperCase(u"\u0101\u0151\u017e\u013a"), u"\u0100\u0150\u017d\u0139");
    EXPECT_EQ(WideUpperCase(u"\u03b1\u03c9\u03ac\u03cc"), u"\u0391\u03a9\u0386\u038c");
    EXPECT_EQ(WideUpperCase(u"\u044f\u0451\u0456\u0491"), u"\u042f\u0401\u0406\u0490");
}

TEST(WideUpperCase, LeavesEverythingElseAlone) {
    // Upper case, no case, and the letters whose capital is another letter's capital.
    const std::u16string unchanged = u"ABC\u00c9\u4e2d\u00df\u00f7\u00b5\u0131\u017f\u03c2";
    EXPECT_EQ(WideUpperCase(unchanged), unchanged);
    const std::u16string surrogates = u"\xd800\xdc00\U0001F600";
    EXPECT_EQ(WideUpperCase(surrogates), surrogates);
    EXPECT_EQ(WideUpperCase(std::u16string(1, u'\0')), std::u16string(1, u'\0'));
}

TEST(WideSameText, ComparesThroughTheMapping) {
    EXPECT_TRUE(WideSameText(u"Selection", u"SELECTION"));
    EXPECT_TRUE(WideSameText(u"\u043f\u0443\u0442\u044c", u"\u041f\u0423\u0422\u042c"));
    EXPECT_FALSE(WideSameText(u"a", u"ab"));
    EXPECT_FALSE(WideSameText(u"\u00df", u"SS"));
}

} // namespace
} // namespace qrv
