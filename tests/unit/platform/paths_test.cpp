#include "platform/paths.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(AddTrailingBackslash, AppendsOnlyWhenMissing) {
    EXPECT_EQ(AddTrailingBackslash(u"C:\\Data"), u"C:\\Data\\");
    EXPECT_EQ(AddTrailingBackslash(u"C:\\Data\\"), u"C:\\Data\\");
    EXPECT_EQ(AddTrailingBackslash(u""), u"\\");
    EXPECT_EQ(AddTrailingBackslash(u"C:/Data/"), u"C:/Data/\\");
}

} // namespace
} // namespace qrv
