#include "settings/wide_string_hash.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(WideStringHash, HashRotatesLeftByTwoAndXorsEachUnit) {
    const TWideStringHash hash;
    EXPECT_EQ(hash.ComputeHash(u"abc"), 0x7FBu);
    EXPECT_EQ(hash.ComputeHash(u"ABC"), 0x55Bu);
    EXPECT_EQ(hash.ComputeHash(u""), 0u);
    EXPECT_EQ(hash.ComputeHash(u"abc") % hash.BucketCount(), 251u);
    EXPECT_EQ(hash.ComputeHash(u"ABC") % hash.BucketCount(), 91u);
    // Seventeen units: the first has been rotated all the way round (32 bits) and back to 0.
    EXPECT_EQ(hash.ComputeHash(u"\x8000"
                               u"0000000000000000"),
              0x8000u ^ hash.ComputeHash(u"0000000000000000"));
}

TEST(WideStringHash, FindsTheEntryAddedLast) {
    TWideStringHash hash;
    EXPECT_EQ(hash.ValueForKey(u"x"), -1);
    hash.AddEntry(u"x", 0);
    hash.AddEntry(u"y", 1);
    hash.AddEntry(u"x", 2);
    EXPECT_EQ(hash.ValueForKey(u"x"), 2);
    EXPECT_EQ(hash.ValueForKey(u"y"), 1);
    EXPECT_EQ(hash.ValueForKey(u"X"), -1); // code units compare exactly
    ASSERT_NE(hash.FindEntry(u"x"), nullptr);
    EXPECT_EQ(hash.FindEntry(u"x")->next->value, 0); // same bucket, further down the chain
}

TEST(WideStringHash, ClearingKeepsTheBucketsAndResettingChangesThem) {
    TWideStringHash hash;
    for (int i = 0; i < 100000; ++i) {
        hash.AddEntry(u"same", i); // one long chain
    }
    hash.ClearEntries();
    EXPECT_EQ(hash.BucketCount(), 256u);
    EXPECT_EQ(hash.ValueForKey(u"same"), -1);
    hash.Reset(1024);
    hash.AddEntry(u"abc", 7);
    EXPECT_EQ(hash.BucketCount(), 1024u);
    EXPECT_EQ(hash.ValueForKey(u"abc"), 7);
    EXPECT_THROW(hash.Reset(0), std::invalid_argument);
}

} // namespace
} // namespace qrv
