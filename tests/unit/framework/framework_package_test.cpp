#include "framework/framework_package.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(JStringReplaceW, ReplacesEveryOccurrenceCharacterByCharacter) {
    EXPECT_EQ(JStringReplaceW(u"A~*~1~*~B", u"~*~", u"=", rfReplaceAll), u"A=1=B");
    EXPECT_EQ(JStringReplaceW(u"no pattern", u"~*~", u"=", rfReplaceAll), u"no pattern");
    EXPECT_EQ(JStringReplaceW(u"~*~~*~", u"~*~", u"=", rfReplaceAll), u"==");
    EXPECT_EQ(JStringReplaceW(u"~*~*~", u"~*~", u"=", rfReplaceAll), u"=*~");
    EXPECT_EQ(JStringReplaceW(u"aXa", u"a", u"", 0), u"Xa");
    EXPECT_EQ(JStringReplaceW(u"AbA", u"a", u"c", rfReplaceAll), u"AbA");
    EXPECT_EQ(JStringReplaceW(u"AbA", u"a", u"c", rfReplaceAll | rfIgnoreCase), u"cbc");
}

TEST(JIsWhite, EmptyOrBlanksOnly) {
    EXPECT_TRUE(JIsWhite(u"", 1));
    EXPECT_TRUE(JIsWhite(u" \t ", 1));
    EXPECT_FALSE(JIsWhite(u" x ", 1));
}

TEST(BareFileName, DropsFolderAndExtension) {
    EXPECT_EQ(BareFileName("C:\\Programs\\QRV3DOVEravar.exe"), "QRV3DOVEravar");
    EXPECT_EQ(BareFileName("/usr/bin/tool"), "tool");
    EXPECT_EQ(BareFileName("a.b.c"), "a.b");
}

} // namespace
} // namespace qrv
