// The fixed text formats of dates, times and floats in the native build.

#include "settings/locale_conversions.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(NativeLocaleConversions, WritesIsoDatesAndTimes) {
    const TDateTime date = *TryEncodeDate(2024, 1, 2);
    const TDateTime time = *TryEncodeTime(13, 4, 5, 0);
    EXPECT_EQ(date, 45293.0);
    EXPECT_EQ(DateToStr(date + time), u"2024-01-02");
    EXPECT_EQ(TimeToStr(date + time), u"13:04:05");
    EXPECT_EQ(DateTimeToStr(date + time), u"2024-01-02 13:04:05");
    EXPECT_EQ(DateTimeToStr(date), u"2024-01-02");
    // Before 30 December 1899 the days count back and the time still forward.
    EXPECT_EQ(DateTimeToStr(-1.25), u"1899-12-29 06:00:00");
    EXPECT_EQ(DateToStr(*TryEncodeDate(1, 1, 1)), u"0001-01-01");
}

TEST(NativeLocaleConversions, ReadsIsoDatesAndTimes) {
    EXPECT_EQ(TryStrToDate(u"2024-1-2"), 45293.0);
    EXPECT_EQ(TryStrToDate(u" 2024-01-02 "), 45293.0);
    EXPECT_EQ(TryStrToTime(u"6:00"), 0.25);
    EXPECT_NEAR(*TryStrToTime(u"00:00:01.5"), 1.5 / 86400, 1e-12);
    EXPECT_EQ(TryStrToDateTime(u"1899-12-29 06:00:00"), -1.25);
    EXPECT_EQ(TryStrToDateTime(u"12:00"), 0.5);
    EXPECT_EQ(TryStrToDateTime(u"2024-01-02"), 45293.0);
    for (const char16_t* bad : {u"2023-02-29", u"2024-13-01", u"2024/01/02", u"02.01.2024",
                                u"10000-01-01", u"2024-01-02x", u"-2024-01-02", u""}) {
        EXPECT_FALSE(TryStrToDate(bad).has_value()) << std::u16string(bad).size();
    }
    for (const char16_t* bad : {u"24:00", u"12:60", u"12", u"1:2:3:4", u"12:00 PM", u"1:+2"}) {
        EXPECT_FALSE(TryStrToTime(bad).has_value()) << std::u16string(bad).size();
    }
    EXPECT_FALSE(TryStrToDateTime(u"2024-01-02 25:00").has_value());
}

TEST(NativeLocaleConversions, FloatsUseFifteenDigitsAndAPoint) {
    EXPECT_EQ(FloatToStr(1234.5), u"1234.5");
    EXPECT_EQ(FloatToStr(0.1), u"0.1");
    EXPECT_EQ(FloatToStr(1.0 / 3), u"0.333333333333333");
    EXPECT_EQ(FloatToStr(1e20), u"1e+20");
    EXPECT_EQ(FloatToStr(-0.0), u"-0");
    EXPECT_EQ(TryStrToFloat(u" +1.5e3 "), 1500.0);
    EXPECT_EQ(TryStrToFloat(u"-.5"), -0.5);
    for (const char16_t* bad : {u"1,5", u"inf", u"nan", u"1e999", u"0x10", u"1.5x", u"+"}) {
        EXPECT_FALSE(TryStrToFloat(bad).has_value()) << std::u16string(bad).size();
    }
}

} // namespace
} // namespace qrv
