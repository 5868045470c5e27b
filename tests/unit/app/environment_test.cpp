#include "platform/environment.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(EnvironmentSnapshot, ParsesAWindowsBlock) {
    constexpr char raw[] = "=C:=C:\\work\0Path=C:\\bin\0EMPTY=\0noequals\0a=b=c\0";
    const std::string block(raw, sizeof(raw)); // ends with the empty entry
    const auto env = TEnvironmentSnapshot::FromBlock(block);
    EXPECT_EQ(env.Value("PATH"), "C:\\bin");
    EXPECT_EQ(env.Value("=C:"), "C:\\work");
    EXPECT_EQ(env.Find("EMPTY"), std::optional<std::string_view>(""));
    EXPECT_FALSE(env.Find("noequals"));
    EXPECT_FALSE(env.Find("missing"));
    EXPECT_EQ(env.Value("A"), "b=c");
}

TEST(EnvironmentSnapshot, FirstOfTwoNamesThatDifferInCaseWins) {
    const TEnvironmentSnapshot env({"Name=first", "NAME=second"});
    EXPECT_EQ(env.Value("name"), "first");
    int count = 0;
    env.ForEach([&](std::string_view, std::string_view) { ++count; });
    EXPECT_EQ(count, 1);
}

TEST(EnvironmentSnapshot, BlockWithoutTerminatorStillReadsItsEntries) {
    const auto env = TEnvironmentSnapshot::FromBlock(std::string_view("A=1\0B=2", 7));
    EXPECT_EQ(env.Value("A"), "1");
    EXPECT_EQ(env.Value("B"), "2");
}

TEST(EnvironmentSnapshot, ManyVariablesAreAllFoundInBlockOrder) {
    std::vector<std::string> entries;
    for (int i = 0; i < 5000; ++i) {
        entries.push_back("Var_" + std::to_string(i) + "=" + std::to_string(i));
        entries.push_back("VAR_" + std::to_string(i) + "=later");
    }
    const TEnvironmentSnapshot env(entries);
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(env.Value("var_" + std::to_string(i)), std::to_string(i));
    }
    EXPECT_FALSE(env.Find("Var_5000"));
    EXPECT_FALSE(env.Find("Var_"));
    int expected = 0;
    env.ForEach([&](std::string_view name, std::string_view) {
        EXPECT_EQ(name, "Var_" + std::to_string(expected++));
    });
    EXPECT_EQ(expected, 5000);
}

TEST(EnvironmentSnapshot, OnlyAsciiLettersFoldAndEmptyIsEmpty) {
    EXPECT_FALSE(TEnvironmentSnapshot().Find("PATH"));
    const TEnvironmentSnapshot env({"Gr\xFC\xDF=1", "_@[=2"});
    EXPECT_EQ(env.Value("GR\xFC\xDF"), "1");
    EXPECT_FALSE(env.Find("GR\xDC\xDF")); // Ü is not the upper case of ü here
    EXPECT_FALSE(env.Find("\x7F@{"));
    EXPECT_EQ(env.Value("_@["), "2");
}

} // namespace
} // namespace qrv
