#include "cadsim/core/log_line.h"

#include <gtest/gtest.h>

namespace qrv::cadsim {
namespace {

TEST(LogLine, JoinsTimeCallAndFieldsWithBars) {
    EXPECT_EQ(LogLine(42, "BeginExport").Finish(), "42|BeginExport\n");
    EXPECT_EQ(LogLine(7, "GetCADName").Number(-1).Text(u"STEP AP214").Finish(),
              "7|GetCADName|-1|STEP AP214\n");
    EXPECT_EQ(LogLine(7, "SelectSubDirs").Utf8("").Finish(), "7|SelectSubDirs|\n");
}

TEST(LogLine, WritesTextsAsUtf8AndNullAsItsMarker) {
    EXPECT_EQ(LogLine(1, "SetDirs").Text(u"C:\\d\u00fcr\\").Text(nullptr).Finish(),
              "1|SetDirs|C:\\d\xC3\xBCr\\|%00\n");
    const char16_t* empty = u"";
    EXPECT_EQ(LogLine(1, "X").Text(empty).Finish(), "1|X|\n");
}

TEST(LogLine, EscapesOnlyWhatWouldBreakTheLine) {
    EXPECT_EQ(EscapeLogField("a|b%c\r\nd\\e"), "a%7Cb%25c%0D%0Ad\\e");
    EXPECT_EQ(LogLine(1, "X").Text(u"%00").Finish(), "1|X|%2500\n"); // cannot pass as null
}

} // namespace
} // namespace qrv::cadsim
