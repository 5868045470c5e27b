#include "framework/framework_package.h"
#include "settings/wide_string_list.h"

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

std::vector<std::u16string> Split(std::u16string_view text) {
    TWideStringList list;
    list.Add(u"kept");
    JStrToStringList(text, list, u"~*~", u'\0', false);
    std::vector<std::u16string> pieces;
    for (int i = 1; i < list.Count(); ++i) {
        pieces.push_back(list.Get(i));
    }
    return pieces;
}

TEST(JStrToStringList, AppendsThePiecesKeepingEmptyOnes) {
    using Pieces = std::vector<std::u16string>;
    EXPECT_EQ(Split(u"Format A~*~Format C~*~"), (Pieces{u"Format A", u"Format C"}));
    EXPECT_EQ(Split(u"X~*~~*~X~*~~*~~*~"), (Pieces{u"X", u"", u"X", u"", u""}));
    EXPECT_EQ(Split(u"no end"), (Pieces{u"no end"}));
    EXPECT_EQ(Split(u"a~*~b"), (Pieces{u"a", u"b"}));
    EXPECT_EQ(Split(u""), Pieces{});
    EXPECT_EQ(Split(u"~*~"), (Pieces{u""}));
    EXPECT_EQ(Split(u"~*~*~"), (Pieces{u"", u"*~"})); // the first match ends a piece

    TWideStringList list;
    EXPECT_THROW(JStrToStringList(u"a", list, u"~*~", u'"', false), std::invalid_argument);
    EXPECT_THROW(JStrToStringList(u"a", list, u"", u'\0', false), std::invalid_argument);
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
