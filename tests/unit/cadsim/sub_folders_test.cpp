#include "cadsim/core/sub_folders.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv::cadsim {
namespace {

const SubFolderTexts kTexts{u"My Shop", u"STEP-AP214", u"Valve/Series", u"P:100"};

std::vector<std::u16string> Names(std::vector<uint8_t> criteria,
                                  const SubFolderTexts& texts = kTexts) {
    return SubFolderNames(criteria, texts);
}

TEST(SubFolders, FollowTheCriteriaInTheGivenOrder) {
    EXPECT_EQ(Names({0, 1, 2, 3, 4}), (std::vector<std::u16string>{u"My Shop", u"STEP-AP214", u"V",
                                                                   u"Valve_Series", u"P_100"}));
    EXPECT_EQ(Names({4, 2, 0}), (std::vector<std::u16string>{u"P_100", u"V", u"My Shop"}));
    EXPECT_TRUE(Names({}).empty());
}

TEST(SubFolders, EmptyOrUnsafeTextsStillGiveOneFolderLevel) {
    const SubFolderTexts texts{u"", u"", u"", u"CON"};
    EXPECT_EQ(Names({0, 1, 2, 3, 4}, texts),
              (std::vector<std::u16string>{u"_", u"_", u"_", u"_", u"_CON"}));
    const SubFolderTexts dotted{u"shop", u"f", u".hidden", u"p"};
    EXPECT_EQ(Names({2}, dotted), (std::vector<std::u16string>{u"_"}));
}

TEST(SubFolders, UnknownCriterionIsRefused) {
    EXPECT_THROW(Names({0, 5}), std::invalid_argument);
}

TEST(SubFolders, FirstLetterKeepsSurrogatePairsWhole) {
    EXPECT_EQ(FirstLetter(u"abc"), u"a");
    EXPECT_EQ(FirstLetter(u""), u"");
    EXPECT_EQ(FirstLetter(u"\U0001D400bc"), u"\U0001D400");
    EXPECT_EQ(FirstLetter(std::u16string(1, u'\xD800') + u"x"), std::u16string(1, u'\xD800'));
}

TEST(SubFolders, JoinPathAddsOneSeparator) {
    EXPECT_EQ(JoinPath(u"C:\\dest\\", u"a"), u"C:\\dest\\a");
    EXPECT_EQ(JoinPath(u"C:\\dest", u"a"), u"C:\\dest\\a");
    EXPECT_EQ(JoinPath(u"C:/dest/", u"a"), u"C:/dest/a");
    EXPECT_EQ(JoinPath(u"", u"a"), u"a");
}

} // namespace
} // namespace qrv::cadsim
