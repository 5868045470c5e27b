#include "settings/wide_hashed_string_list.h"

#include <gtest/gtest.h>

#include <memory>

namespace qrv {
namespace {

std::unique_ptr<TWideHashedStringList> ListOf(std::u16string_view text,
                                              bool caseSensitive = false) {
    auto list = std::make_unique<TWideHashedStringList>();
    list->SetCaseSensitive(caseSensitive);
    list->SetText(text);
    return list;
}

TEST(WideHashedStringList, FindsNothingInAnEmptyList) {
    const TWideHashedStringList list;
    EXPECT_EQ(list.IndexOf(u"x"), -1);
    EXPECT_EQ(list.IndexOf(u""), -1);
    EXPECT_EQ(list.IndexOfName(u""), -1);
}

TEST(WideHashedStringList, TheLastOfEqualLinesOrNamesWins) {
    const auto list = ListOf(u"x\ny\nx\nKey=1\nKey=2\n");
    EXPECT_EQ(list->IndexOf(u"x"), 2);
    EXPECT_EQ(list->IndexOfName(u"Key"), 4);
}

TEST(WideHashedStringList, LetterCaseFollowsCaseSensitive) {
    auto list = ListOf(u"Path=C\n");
    EXPECT_EQ(list->IndexOfName(u"PATH"), 0);
    EXPECT_EQ(list->IndexOfName(u"path"), 0);
    EXPECT_EQ(list->IndexOf(u"PATH=c"), 0);
    auto sensitive = ListOf(u"Path=C\n", true);
    EXPECT_EQ(sensitive->IndexOfName(u"PATH"), -1);
    EXPECT_EQ(sensitive->IndexOfName(u"path"), -1);
    EXPECT_EQ(sensitive->IndexOfName(u"Path"), 0);
    // Beyond ASCII, through the same mapping for stored and looked-up names.
    auto wide = ListOf(u"\u00e9t\u00e9=1\n\u043f\u0443\u0442\u044c=2\n\u03b1=3\n");
    EXPECT_EQ(wide->IndexOfName(u"\u00c9T\u00c9"), 0);
    EXPECT_EQ(wide->IndexOfName(u"\u041f\u0423\u0422\u042c"), 1);
    EXPECT_EQ(wide->IndexOfName(u"\u0391"), 2);
}

TEST(WideHashedStringList, NamesAreTheUntrimmedTextBeforeTheFirstEquals) {
    const auto list = ListOf(u"junk\n=v\na =b\nx=y=z\n");
    EXPECT_EQ(list->IndexOfName(u"junk"), -1);
    EXPECT_EQ(list->IndexOf(u"junk"), 0);
    EXPECT_EQ(list->IndexOfName(u""), 1);
    EXPECT_EQ(list->IndexOfName(u"a"), -1);
    EXPECT_EQ(list->IndexOfName(u"a "), 2);
    EXPECT_EQ(list->IndexOfName(u"x"), 3);
    EXPECT_EQ(list->IndexOfName(u"x=y"), -1);
}

TEST(WideHashedStringList, LookupsFollowEveryChange) {
    auto list = ListOf(u"a=1\nb=2\nc=3\n");
    EXPECT_EQ(list->IndexOfName(u"c"), 2);
    EXPECT_EQ(list->IndexOf(u"c=3"), 2);
    list->Delete(0);
    EXPECT_EQ(list->IndexOfName(u"c"), 1);
    EXPECT_EQ(list->IndexOf(u"c=3"), 1);
    list->Insert(0, u"z=0");
    EXPECT_EQ(list->IndexOfName(u"c"), 2);
    EXPECT_EQ(list->IndexOfName(u"z"), 0);
    list->Exchange(0, 2);
    EXPECT_EQ(list->IndexOfName(u"c"), 0);
    list->Put(0, u"d=4");
    EXPECT_EQ(list->IndexOfName(u"c"), -1);
    EXPECT_EQ(list->IndexOf(u"d=4"), 0);
    list->Clear();
    EXPECT_EQ(list->IndexOfName(u"d"), -1);
}

TEST(WideHashedStringList, GrowsItsIndexesWithTheList) {
    EXPECT_EQ(TWideHashedStringList::BucketCountFor(0), 256u);
    EXPECT_EQ(TWideHashedStringList::BucketCountFor(256), 256u);
    EXPECT_EQ(TWideHashedStringList::BucketCountFor(257), 512u);
    EXPECT_EQ(TWideHashedStringList::BucketCountFor(100000), 131072u);

    TWideHashedStringList list;
    for (int i = 0; i < 5000; ++i) {
        list.Add(u"key" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                 std::u16string(1, static_cast<char16_t>(0x4e00 + i)) + u"=v");
    }
    for (int i = 0; i < 5000; i += 499) {
        EXPECT_EQ(list.IndexOfName(list.Names(i)), i);
        EXPECT_EQ(list.IndexOf(list.Get(i)), i);
    }
    while (list.Count() > 3) {
        list.Delete(list.Count() - 1);
    }
    EXPECT_EQ(list.IndexOfName(list.Names(2)), 2);
}

} // namespace
} // namespace qrv
