#include "platform/environment.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(EnvironmentSnapshot, ParsesAWindowsBlock) {
    constexpr char raw[] = "=C:=C:\\work\0Path=C:\\bin\0EMPTY=\0noequals\0a=b=c\0";
    const std::string block(raw, sizeof(raw)); // ends with the empty entry
    const auto env = EnvironmentSnapshot::FromBlock(block);
    EXPECT_EQ(env.Value("PATH"), "C:\\bin");
    EXPECT_EQ(env.Value("=C:"), "C:\\work");
    EXPECT_EQ(env.Find("EMPTY"), std::optional<std::string_view>(""));
    EXPECT_FALSE(env.Find("noequals"));
    EXPECT_FALSE(env.Find("missing"));
    EXPECT_EQ(env.Value("A"), "b=c");
}

TEST(EnvironmentSnapshot, FirstOfTwoNamesThatDifferInCaseWins) {
    const EnvironmentSnapshot env({"Name=first", "NAME=second"});
    EXPECT_EQ(env.Value("name"), "first");
    int count = 0;
    env.ForEach([&](std::string_view, std::string_view) { ++count; });
    EXPECT_EQ(count, 1);
}

TEST(EnvironmentSnapshot, BlockWithoutTerminatorStillReadsItsEntries) {
    const auto env = EnvironmentSnapshot::FromBlock(std::string_view("A=1\0B=2", 7));
    EXPECT_EQ(env.Value("A"), "1");
    EXPECT_EQ(env.Value("B"), "2");
}

} // namespace
} // namespace qrv
