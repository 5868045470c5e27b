#include "app/basket_parameters.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TBasketParameters Read(const std::vector<std::string>& entries) {
    TBasketParameters basket;
    ReadBasketParameters(TEnvironmentSnapshot(entries), basket);
    return basket;
}

TEST(Basket, FoldersLanguageAndShop) {
    const auto basket = Read({"xQRVCADENAS_=C:\\cadenas", "CADENASEXPORTDLL_=C:\\lib\\",
                              "xQRVLanguage=DEDE", "ShopName=  "});
    EXPECT_EQ(basket.FCADENASDir, u"C:\\cadenas\\");
    EXPECT_EQ(basket.FCADLibDir, u"C:\\lib\\");
    EXPECT_EQ(basket.FCADDataDir, u"C:\\lib\\..\\..\\..\\..\\");
    EXPECT_EQ(basket.FLanguage, "DEDE");
    EXPECT_EQ(basket.FShopName, u"  "); // blanks are kept as read
}

TEST(Basket, MissingVariablesGiveDefaults) {
    const auto basket = Read({});
    EXPECT_EQ(basket.FLanguage, "ENGB");
    EXPECT_EQ(basket.FCADLibDir, u"\\");
    EXPECT_EQ(basket.FCADDataDir, u"\\..\\..\\..\\..\\");
    EXPECT_EQ(basket.FCADENASDir, u"\\");
    EXPECT_EQ(basket.FShopName, u"");
    EXPECT_TRUE(basket.FPartNoList.empty());
}

TEST(Basket, ReadsExactlyCountEntriesInOrder) {
    const auto basket = Read({"CADCount=2", "PartNo_0=A", "PartNo_1=B", "PartNo_2=C", "Type_0=T0",
                              "ID1_1=X", "CAD_0=A~*~1~*~B", "CAD_1=plain"});
    EXPECT_EQ(basket.FPartNoList, (std::vector<std::u16string>{u"A", u"B"}));
    EXPECT_EQ(basket.FTypeList, (std::vector<std::u16string>{u"T0", u""}));
    EXPECT_EQ(basket.FID1List, (std::vector<std::u16string>{u"", u"X"}));
    EXPECT_EQ(basket.FID2List, (std::vector<std::u16string>{u"", u""}));
    EXPECT_EQ(basket.FCADList, (std::vector<std::u16string>{u"A=1=B", u"plain"}));
}

TEST(Basket, EleventhEntryHasNoLeadingZero) {
    std::vector<std::string> env{"CADCount=11", "PartNo_10=eleventh", "PartNo_010=wrong"};
    const auto basket = Read(env);
    ASSERT_EQ(basket.FPartNoList.size(), 11u);
    EXPECT_EQ(basket.FPartNoList[10], u"eleventh");
    EXPECT_EQ(basket.FPartNoList[0], u"");
}

TEST(Basket, AnIndexIsDigitsOnlyWithoutASign) {
    const auto basket =
        Read({"CADCount=2", "PartNo_-0=minus", "PartNo_+1=plus", "PartNo_ 1=blank", "Type_1=T"});
    ASSERT_EQ(basket.FPartNoList.size(), 2u);
    EXPECT_EQ(basket.FPartNoList[0], u"");
    EXPECT_EQ(basket.FPartNoList[1], u"");
    EXPECT_EQ(basket.FTypeList[1], u"T");
}

TEST(Basket, CountsThatGiveAnEmptyBasket) {
    for (const char* count :
         {"", "abc", "0", "-3", "4294967296", "2147483648", " 5", "5 ", "0x5"}) {
        const auto basket = Read({std::string("CADCount=") + count, "PartNo_0=A"});
        EXPECT_TRUE(basket.FPartNoList.empty()) << "CADCount=" << count;
    }
    EXPECT_TRUE(Read({"PartNo_0=A"}).FPartNoList.empty()); // no count at all
}

TEST(Basket, EveryCountedEntryExistsTrailingOnesIncluded) {
    const auto basket = Read({"CADCount=3", "PartNo_0=A", "PartNo_1=B", "Type_1=T1"});
    EXPECT_EQ(basket.FPartNoList, (std::vector<std::u16string>{u"A", u"B", u""}));
    EXPECT_EQ(basket.FTypeList, (std::vector<std::u16string>{u"", u"T1", u""}));
    EXPECT_EQ(basket.FCADList.size(), 3u);

    // A count with no numbered variable at all is that many empty parts.
    EXPECT_EQ(Read({"CADCount=4"}).FID2List, std::vector<std::u16string>(4));
}

TEST(Basket, CountsLeavingTooManyEntriesEmptyAreRefusedBeforeAnythingIsAdded) {
    // Two carried indexes (0 and 7): up to kMostEmptyEntries empty entries beside them.
    const auto limit = std::to_string(kMostEmptyEntries + 2);
    const auto accepted = Read({"CADCount=" + limit, "PartNo_0=A", "CAD_7=x", "Type_7=t"});
    ASSERT_EQ(accepted.FPartNoList.size(), kMostEmptyEntries + 2);
    EXPECT_EQ(accepted.FCADList[7], u"x");

    TBasketParameters basket;
    basket.FPartNoList = {u"kept"};
    const auto over = std::to_string(kMostEmptyEntries + 3);
    const TEnvironmentSnapshot tooMany(
        {"ShopName=S", "CADCount=" + over, "PartNo_0=A", "CAD_7=x", "Type_7=t"});
    EXPECT_THROW(ReadBasketParameters(tooMany, basket), std::length_error);
    EXPECT_EQ(basket.FPartNoList, (std::vector<std::u16string>{u"kept"}));
    EXPECT_TRUE(basket.FCADList.empty());
    EXPECT_EQ(basket.FShopName, u"S"); // what comes before the lists was read

    TBasketParameters hostile;
    EXPECT_THROW(ReadBasketParameters(TEnvironmentSnapshot({"CADCount=2000000000", "PartNo_0=A",
                                                            "CAD_1999999999=far away"}),
                                      hostile),
                 std::length_error);
    EXPECT_TRUE(hostile.FPartNoList.empty());

    // Indexes at or past the count are ignored, so they cannot widen the limit either.
    EXPECT_EQ(Read({"CADCount=1", "PartNo_0=A", "PartNo_1999999999=B"}).FPartNoList,
              (std::vector<std::u16string>{u"A"}));
}

TEST(Basket, NamesCompareWithoutCaseAndValuesConvertFromAnsi) {
    const auto basket = Read({"cadcount=1",
                              "PARTNO_0=Gr\xFC\xDF"
                              "e",
                              "shopname=Caf\xE9"});
    EXPECT_EQ(basket.FPartNoList, (std::vector<std::u16string>{u"Gr\u00fc\u00dfe"}));
    EXPECT_EQ(basket.FShopName, u"Caf\u00e9");
}

TEST(CADCount, Conversion) {
    EXPECT_EQ(ParseCADCount("12"), 12);
    EXPECT_EQ(ParseCADCount("+12"), 12);
    EXPECT_EQ(ParseCADCount("-12"), -12);
    EXPECT_EQ(ParseCADCount("2147483647"), 2147483647);
    EXPECT_EQ(ParseCADCount("-2147483648"), INT32_MIN);
    EXPECT_FALSE(ParseCADCount("+-1"));
    EXPECT_FALSE(ParseCADCount("1e3"));
}

} // namespace
} // namespace qrv
