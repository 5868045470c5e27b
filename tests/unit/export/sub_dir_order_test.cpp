#include "export/sub_dir_order.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(StoredSubDirValue, DecimalOrDollarHexLowEightBits) {
    EXPECT_EQ(StoredSubDirValue(u"4"), 4);
    EXPECT_EQ(StoredSubDirValue(u"0"), 0);
    EXPECT_EQ(StoredSubDirValue(u"$3"), 3);
    EXPECT_EQ(StoredSubDirValue(u"260"), 4); // only the low byte is kept
    EXPECT_EQ(StoredSubDirValue(u"-1"), 255);
    for (const char16_t* bad : {u"", u"x", u"1.5", u" 2", u"2 ", u"0x2", u"\u0663"}) {
        EXPECT_EQ(StoredSubDirValue(bad), 255) << "\"" << std::string(bad, bad + 2) << "\"";
    }
}

TEST(RepairSubDirOrder, KeepsPermutationsAndRepairsEverythingElse) {
    const std::vector<std::pair<std::vector<uint8_t>, TSubDirOrder>> cases = {
        {{0, 1, 2, 3, 4}, kEnumerationOrder},
        {{4, 3, 2, 1, 0}, {sdPartNo, sdBaureihe, sdABC, sdCADFormat, sdWKB}},
        {{}, kEnumerationOrder},
        {{3}, {sdBaureihe, sdWKB, sdCADFormat, sdABC, sdPartNo}},               // too few
        {{4, 255, 9, 4, 1}, {sdPartNo, sdCADFormat, sdWKB, sdABC, sdBaureihe}}, // bad, repeated
        {{2, 2, 2, 2, 2}, {sdABC, sdWKB, sdCADFormat, sdBaureihe, sdPartNo}},
        {{1, 0, 4, 3, 2, 0, 1}, {sdCADFormat, sdWKB, sdPartNo, sdBaureihe, sdABC}}, // too many
        {{255, 255, 255, 255, 255, 3}, {sdBaureihe, sdWKB, sdCADFormat, sdABC, sdPartNo}},
    };
    for (const auto& [stored, expected] : cases) {
        EXPECT_EQ(RepairSubDirOrder(stored), expected) << ::testing::PrintToString(stored);
    }
}

} // namespace
} // namespace qrv
