#include "texts/string_hash.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace qrv {
namespace {

using ::testing::AllOf;
using ::testing::Property;
using ::testing::StrEq;
using ::testing::Throws;
using ::testing::ThrowsMessage;

TEST(StringHash, HashKeyMatchesTheKnownValues) {
    EXPECT_EQ(THash::HashKey(u"abc"), 0x456767C3u);
    EXPECT_EQ(THash::HashKey(u"a"), 0x23456761u);
    EXPECT_EQ(THash::HashKey(u"A"), 0x23456761u);
    // Long keys push bits into the top nibble, where the OR mixing step takes over.
    EXPECT_EQ(THash::HashKey(u"abcdefgh"), 0x7CDEFEF8u);
}

TEST(StringHash, StartsEmpty) {
    TStringHash table;
    EXPECT_EQ(table.HighItem(), -1);
    EXPECT_FALSE(table.Contains(u"x"));
}

TEST(StringHash, LocatesKeysInTheBucketOfTheirHash) {
    TStringHash table;
    EXPECT_EQ(table.LocateKey(u"abc").bucket, 67);
    EXPECT_FALSE(table.LocateKey(u"abc").found);
    table.SetValue(u"abc", u"value");
    const TKeyLocation hit = table.LocateKey(u"abc");
    EXPECT_TRUE(hit.found);
    EXPECT_EQ(hit.bucket, 67);
    EXPECT_EQ(hit.position, 0);
    EXPECT_EQ(table.Bucket(67)[0].hash, 0x456767C3u);
}

TEST(StringHash, KeysCollidingInOneBucketStaySeparate) {
    TStringHash table;
    table.SetValue(u"a", u"small");
    table.SetValue(u"A", u"capital");
    ASSERT_EQ(table.Bucket(97).size(), 2u);
    EXPECT_EQ(table.LocateKey(u"A").position, 1);
    EXPECT_EQ(table.GetValue(u"a"), u"small");
    EXPECT_EQ(table.GetValue(u"A"), u"capital");
}

TEST(StringHash, SettingAKeyAgainOverwritesItsValueInTheSameSlot) {
    TStringHash table;
    table.SetValue(u"~Export", u"Export");
    table.SetValue(u"~Close", u"Close");
    table.SetValue(u"~Export", u"Exportieren");
    EXPECT_EQ(table.HighItem(), 1);
    const TKeyLocation location = table.LocateKey(u"~Export");
    ASSERT_EQ(table.Bucket(location.bucket).size(), 1u);
    EXPECT_EQ(table.Bucket(location.bucket)[0].itemIndex, 0);
    EXPECT_EQ(table.GetValue(u"~Export"), u"Exportieren");
    EXPECT_EQ(table.GetValue(u"~Close"), u"Close");
}

TEST(StringHash, SlotsAreHandedOutInInsertionOrder) {
    TStringHash table;
    const std::u16string keys[] = {u"zeta", u"alpha", u"\u00fcber", u"a"};
    for (const auto& key : keys) {
        table.SetValue(key, key + u"!");
    }
    for (int32_t slot = 0; slot < 4; ++slot) {
        const TKeyLocation location = table.LocateKey(keys[slot]);
        EXPECT_EQ(table.Bucket(location.bucket)[location.position].itemIndex, slot);
    }
    EXPECT_EQ(table.HighItem(), 3);
    EXPECT_EQ(table.GetValue(u"\u00fcber"), u"\u00fcber!");
}

TEST(StringHash, KeysAreComparedCaseSensitively) {
    TStringHash table;
    table.SetValue(u"~Finished", u"Done");
    EXPECT_TRUE(table.Contains(u"~Finished"));
    EXPECT_FALSE(table.Contains(u"~finished"));
    EXPECT_FALSE(table.Contains(u"~Finished "));
    EXPECT_THROW(table.GetValue(u"~FINISHED"), EHashFindError);
}

TEST(StringHash, MissingKeyRaisesFindErrorNamingTheKey) {
    TStringHash table;
    table.SetValue(u"present", u"x");
    const auto getMissing = [&] { table.GetValue(u"Gr\u00fc\u00dfe"); };
    EXPECT_THAT(getMissing, ThrowsMessage<EHashFindError>(StrEq("Key \"Gr\xC3\xBC\xC3\x9F"
                                                                "e\" not found")));
    EXPECT_THAT(getMissing,
                Throws<EHashFindError>(
                    AllOf(Property(&EHashFindError::Message, u"Key \"Gr\u00fc\u00dfe\" not found"),
                          Property(&EHashFindError::Key, u"Gr\u00fc\u00dfe"))));
    EXPECT_EQ(table.HighItem(), 0);
}

TEST(StringHash, EmptyKeyIsRefusedByEveryOperation) {
    TStringHash table;
    EXPECT_THROW(THash::HashKey(u""), EHashInvalidKeyError);
    EXPECT_THROW(table.LocateKey(u""), EHashInvalidKeyError);
    EXPECT_THROW(table.Contains(u""), EHashInvalidKeyError);
    EXPECT_THROW(table.GetValue(u""), EHashInvalidKeyError);
    EXPECT_THROW(table.SetValue(u"", u"value"), EHashInvalidKeyError);
    EXPECT_EQ(table.HighItem(), -1);
    EXPECT_THAT([&] { table.GetValue(u""); },
                ThrowsMessage<EHashInvalidKeyError>(StrEq("Key cannot be an empty WideString")));
}

TEST(StringHash, ValueStoreOperationsWorkSlotBySlot) {
    TStringHash table;
    table.SetItemCount(3);
    EXPECT_EQ(table.HighItem(), 2);
    table.SetValue(u"k", u"v"); // the next slot is 3
    EXPECT_EQ(table.HighItem(), 3);
    table.CopyItem(3, 0);
    EXPECT_EQ(table.GetValue(u"k"), u"v");
    table.ClearItem(3);
    EXPECT_EQ(table.GetValue(u"k"), u"");
    table.CopyItem(0, 3);
    EXPECT_EQ(table.GetValue(u"k"), u"v");
    table.ClearItems();
    EXPECT_EQ(table.HighItem(), -1);
    // The entry outlives its slot: reading it is an error, not a stray read.
    EXPECT_THROW(table.GetValue(u"k"), std::out_of_range);
    EXPECT_THROW(table.SetValue(u"k", u"w"), std::out_of_range);
}

} // namespace
} // namespace qrv
