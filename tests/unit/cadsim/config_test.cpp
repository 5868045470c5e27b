#include "cadsim/core/config.h"

#include <gtest/gtest.h>

#include <map>

namespace qrv::cadsim {
namespace {

struct Env {
    std::map<std::u16string, std::u16string> values;
    EnvLookup Lookup() const {
        return [this](std::u16string_view name) -> std::optional<std::u16string> {
            const auto it = values.find(std::u16string(name));
            if (it == values.end()) {
                return std::nullopt;
            }
            return it->second;
        };
    }
};

TEST(Config, DefaultsWithoutAnyVariable) {
    std::vector<std::string> warnings;
    const SimulatorConfig config = ReadConfig(Env{}.Lookup(), warnings);
    EXPECT_TRUE(config.logPath.empty());
    EXPECT_EQ(config.startDelayMs, 1500u);
    EXPECT_EQ(config.partDelayMs, 200u);
    EXPECT_FALSE(config.neverIdle);
    EXPECT_FALSE(config.failAllParts);
    EXPECT_TRUE(config.failParts.empty());
    EXPECT_EQ(config.formats.size(), DefaultCadFormats().size());
    EXPECT_FALSE(config.formatCount);
    EXPECT_TRUE(config.faults.empty());
    EXPECT_TRUE(warnings.empty());
}

TEST(Config, ReadsEveryVariable) {
    Env env;
    env.values = {{u"CADSIM_LOG", u"C:\\t\\calls \u00fc.log"}, {u"CADSIM_START_DELAY_MS", u" 0 "},
                  {u"CADSIM_PART_DELAY_MS", u"4294967295"},    {u"CADSIM_NEVER_IDLE", u"yes"},
                  {u"CADSIM_FAIL_PARTS", u"P1;;P 2;"},         {u"CADSIM_FORMATS", u"A|a;B|b"}};
    std::vector<std::string> warnings;
    const SimulatorConfig config = ReadConfig(env.Lookup(), warnings);
    EXPECT_EQ(config.logPath, u"C:\\t\\calls \u00fc.log");
    EXPECT_EQ(config.startDelayMs, 0u);
    EXPECT_EQ(config.partDelayMs, 4294967295u);
    EXPECT_TRUE(config.neverIdle);
    EXPECT_EQ(config.failParts, (std::vector<std::u16string>{u"P1", u"P 2"}));
    EXPECT_FALSE(config.failAllParts);
    ASSERT_EQ(config.formats.size(), 2u);
    EXPECT_TRUE(warnings.empty());
}

TEST(Config, StarFailsEveryPart) {
    Env env;
    env.values = {{u"CADSIM_FAIL_PARTS", u"*"}};
    std::vector<std::string> warnings;
    EXPECT_TRUE(ReadConfig(env.Lookup(), warnings).failAllParts);
}

TEST(Config, UnreadableValuesKeepTheirDefaultsAndWarn) {
    Env env;
    env.values = {{u"CADSIM_START_DELAY_MS", u"2s"},
                  {u"CADSIM_PART_DELAY_MS", u"4294967296"},
                  {u"CADSIM_NEVER_IDLE", u"maybe"}};
    std::vector<std::string> warnings;
    const SimulatorConfig config = ReadConfig(env.Lookup(), warnings);
    EXPECT_EQ(config.startDelayMs, 1500u);
    EXPECT_EQ(config.partDelayMs, 200u);
    EXPECT_FALSE(config.neverIdle);
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0], "CADSIM_START_DELAY_MS: not a number of milliseconds: 2s");
}

TEST(Config, ReadsFormatCountAndFaults) {
    for (const auto& [text, count] : std::vector<std::pair<std::u16string, int32_t>>{
             {u"2147483647", 2147483647}, {u" -2147483648 ", INT32_MIN}, {u"0", 0}, {u"-1", -1}}) {
        Env env;
        env.values = {{u"CADSIM_FORMAT_COUNT", text}};
        std::vector<std::string> warnings;
        EXPECT_EQ(ReadConfig(env.Lookup(), warnings).formatCount, count);
        EXPECT_TRUE(warnings.empty());
    }
    Env env;
    env.values = {{u"CADSIM_FAULTS", u"ExportPart@3=raise:0xE06D7363"}};
    std::vector<std::string> warnings;
    const auto faults = ReadConfig(env.Lookup(), warnings).faults;
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].onCall, 3u);
    EXPECT_TRUE(warnings.empty());
}

TEST(Config, UnreadableCountFaultsAndFormatsKeepTheirDefaultsAndWarn) {
    for (const std::u16string text : {u"2147483648", u"-2147483649", u"1e3", u"", u"- 1", u"+1"}) {
        Env env;
        env.values = {{u"CADSIM_FORMAT_COUNT", text}};
        std::vector<std::string> warnings;
        EXPECT_FALSE(ReadConfig(env.Lookup(), warnings).formatCount);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0].rfind("CADSIM_FORMAT_COUNT: not a signed 32-bit number: ", 0), 0u);
    }
    Env env;
    env.values = {{u"CADSIM_FAULTS", u"ExportPart=caught;ExportPart=explode"},
                  {u"CADSIM_FORMATS", u"A|a;B|%0"}};
    std::vector<std::string> warnings;
    const SimulatorConfig config = ReadConfig(env.Lookup(), warnings);
    EXPECT_TRUE(config.faults.empty()) << "one bad entry: no switches at all";
    EXPECT_EQ(config.formats.size(), DefaultCadFormats().size());
    const std::vector<std::string> expected = {"CADSIM_FORMATS: not a %XX escape or not UTF-8: %0",
                                               "CADSIM_FAULTS: unknown kind: ExportPart=explode"};
    EXPECT_EQ(warnings, expected);
}

} // namespace
} // namespace qrv::cadsim
