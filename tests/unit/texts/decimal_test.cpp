#include "decimal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qrv {
namespace {

using textsdb::EncodeDecimal;
using textsdb::FormatDecimal;

std::string RoundTrip(std::string_view text, std::uint8_t precision, std::uint8_t scale) {
    return FormatDecimal(EncodeDecimal(text, precision, scale), scale);
}

TEST(Decimal, StoresSignThenFourWordsMostSignificantFirst) {
    // 2^96 + 2^64 * 2 + 2^32 * 3 + 0x04030201 at scale 0.
    const auto bytes = EncodeDecimal("79228162551157825753915261441", 29, 0);
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 17>{0x00, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0x01,
                                                   0x02, 0x03, 0x04}));
    EXPECT_EQ(EncodeDecimal("-0.05", 18, 2)[0], 0x80);
    EXPECT_EQ(EncodeDecimal("-0.00", 18, 2)[0], 0x00); // zero is stored positive
}

TEST(Decimal, PrintsTheScaleOfDigitsAfterThePoint) {
    EXPECT_EQ(RoundTrip("12.5", 18, 2), "12.50");
    EXPECT_EQ(RoundTrip("-12.34", 18, 2), "-12.34");
    EXPECT_EQ(RoundTrip("-0.05", 18, 2), "-0.05");
    EXPECT_EQ(RoundTrip("0", 18, 4), "0.0000");
    EXPECT_EQ(RoundTrip("007", 3, 0), "7");
    EXPECT_EQ(RoundTrip("-7", 18, 0), "-7");
    EXPECT_EQ(RoundTrip("9999999999999999999999999999", 28, 0), "9999999999999999999999999999");
    EXPECT_EQ(RoundTrip("-0.0000000000000000000000000001", 28, 28),
              "-0.0000000000000000000000000001");
}

TEST(Decimal, PrintsWhatever128BitsAndTheSignBitHold) {
    std::array<std::uint8_t, 17> bytes{};
    bytes.fill(0xFF);
    EXPECT_EQ(FormatDecimal(bytes, 2), "-3402823669209384634633746074317682114.55");
    bytes.fill(0);
    bytes[0] = 0x80;
    EXPECT_EQ(FormatDecimal(bytes, 2), "-0.00"); // as mdb-export prints it
    bytes[0] = 0x7F;
    bytes[16] = 0x01;
    EXPECT_EQ(FormatDecimal(bytes, 0), "16777216");
}

TEST(Decimal, RefusesWhatTheColumnCannotHold) {
    using ::testing::StrEq;
    using ::testing::ThrowsMessage;
    const std::pair<const char*, const char*> cases[] = {
        {"1.234", "\"1.234\" has more digits after the point than the scale 2"},
        {"1234", "\"1234\" has more digits than the precision 5"},
        {"", "\"\" is not a decimal number"},
        {"-", "\"-\" is not a decimal number"},
        {"1.", "\"1.\" is not a decimal number"},
        {".5", "\".5\" is not a decimal number"},
        {"+1", "\"+1\" is not a decimal number"},
        {"1e3", "\"1e3\" is not a decimal number"},
        {"1.2.3", "\"1.2.3\" is not a decimal number"},
    };
    for (const auto& refused : cases) {
        EXPECT_THAT([&] { EncodeDecimal(refused.first, 5, 2); },
                    ThrowsMessage<std::runtime_error>(StrEq(refused.second)));
    }
    EXPECT_THAT([&] { EncodeDecimal(std::string(39, '9'), 40, 0); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("\"" + std::string(39, '9') + "\" does not fit 128 bits")));
}

} // namespace
} // namespace qrv
