#include "platform/ansi.h"
#include "platform/utf.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(Utf, RoundTripsAllPlanes) {
    const std::u16string text = u"Abc \u00e9\u20ac\u4e2d \U0001F600";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"\u00e9"), "\xC3\xA9");
}

TEST(Utf, ReplacesBrokenInput) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");         // truncated sequence
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\uFFFD");     // overlong NUL
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD"); // encoded surrogate
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(Ansi, KeepsWhatTheCodePageHoldsAndReplacesTheRest) {
    EXPECT_EQ(ToAnsi(u"Gr\u00fc\u00dfe \u20ac"), "Gr\xFC\xDF"
                                                 "e \x80");
    EXPECT_EQ(FromAnsi("Gr\xFC\xDF"
                       "e \x80"),
              u"Gr\u00fc\u00dfe \u20ac");
    EXPECT_EQ(ToAnsi(u"\u041f\u4e2d"), "??");
    EXPECT_EQ(ToAnsi(std::u16string_view(u"a\0b", 3)), std::string("a\0b", 3));
}

} // namespace
} // namespace qrv
