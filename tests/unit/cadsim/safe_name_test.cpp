#include "cadsim/core/safe_name.h"

#include <gtest/gtest.h>

namespace qrv::cadsim {
namespace {

TEST(SafeFileName, ReplacesCharactersWindowsRefuses) {
    EXPECT_EQ(SafeFileName(u"a<b>c:d\"e/f\\g|h?i*j"), u"a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(SafeFileName(u"tab\there\x01\x1f"), u"tab_here__");
    EXPECT_EQ(SafeFileName(u"Gr\u00fc\u00dfe \u4e2d #1 (x) [y] ~z"),
              u"Gr\u00fc\u00dfe \u4e2d #1 (x) [y] ~z");
}

TEST(SafeFileName, TrimsTrailingDotsAndBlanksAndNeverGivesAnEmptyName) {
    EXPECT_EQ(SafeFileName(u"name. . "), u"name");
    EXPECT_EQ(SafeFileName(u"  lead"), u"  lead");
    EXPECT_EQ(SafeFileName(u""), u"_");
    EXPECT_EQ(SafeFileName(u"."), u"_");
    EXPECT_EQ(SafeFileName(u".."), u"_");
    EXPECT_EQ(SafeFileName(u" "), u"_");
    EXPECT_EQ(SafeFileName(u"?"), u"_");
}

TEST(SafeFileName, PrefixesReservedDeviceNames) {
    for (const char16_t* name : {u"CON", u"con", u"Prn", u"AUX", u"nul", u"COM1", u"com9", u"LPT1",
                                 u"lpt9", u"COM\u00b9", u"NUL.txt", u"con.tar.gz", u"AUX .x"}) {
        EXPECT_EQ(SafeFileName(name), u"_" + std::u16string(name)) << "reserved";
    }
    for (const char16_t* name : {u"CONX", u"COM0", u"COM10", u"LPT", u"XCON", u"CON_STL.stl"}) {
        EXPECT_EQ(SafeFileName(name), name) << "not reserved";
    }
    // Trimming can uncover a device name.
    EXPECT_EQ(SafeFileName(u"CON. "), u"_CON");
}

TEST(SafeFileName, CutsLongNamesWithoutSplittingSurrogatePairs) {
    const std::u16string plain(150, u'x');
    EXPECT_EQ(SafeFileName(plain).size(), kMaxNameLength);

    std::u16string emoji(kMaxNameLength - 1, u'x');
    emoji += u"\U0001F600tail"; // the pair would straddle the cut
    const std::u16string cut = SafeFileName(emoji);
    EXPECT_EQ(cut, std::u16string(kMaxNameLength - 1, u'x'));

    std::u16string dots(kMaxNameLength - 2, u'y');
    dots += u". rest";
    EXPECT_EQ(SafeFileName(dots), std::u16string(kMaxNameLength - 2, u'y'));
}

} // namespace
} // namespace qrv::cadsim
