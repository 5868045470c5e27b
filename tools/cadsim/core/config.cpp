#include "cadsim/core/config.h"

#include "cadsim/core/text_util.h"
#include "platform/utf.h"

namespace qrv::cadsim {

namespace {

void ReadMilliseconds(const EnvLookup& env, std::u16string_view name, uint32_t& value,
                      std::vector<std::string>& warnings) {
    const auto text = env(name);
    if (!text) {
        return;
    }
    if (const auto number = ParseUnsigned(*text)) {
        value = *number;
    } else {
        warnings.push_back(Utf16ToUtf8(name) +
                           ": not a number of milliseconds: " + Utf16ToUtf8(*text));
    }
}

void ReadFlag(const EnvLookup& env, std::u16string_view name, bool& value,
              std::vector<std::string>& warnings) {
    const auto text = env(name);
    if (!text) {
        return;
    }
    const auto trimmed = TrimBlanks(*text);
    if (trimmed == u"1" || EqualsIgnoringAsciiCase(trimmed, u"yes") ||
        EqualsIgnoringAsciiCase(trimmed, u"true")) {
        value = true;
    } else if (trimmed.empty() || trimmed == u"0" || EqualsIgnoringAsciiCase(trimmed, u"no") ||
               EqualsIgnoringAsciiCase(trimmed, u"false")) {
        value = false;
    } else {
        warnings.push_back(Utf16ToUtf8(name) + ": not 1 or 0: " + Utf16ToUtf8(*text));
    }
}

} // namespace

SimulatorConfig ReadConfig(const EnvLookup& env, std::vector<std::string>& warnings) {
    SimulatorConfig config;
    if (const auto log = env(u"CADSIM_LOG")) {
        config.logPath = *log;
    }
    ReadMilliseconds(env, u"CADSIM_START_DELAY_MS", config.startDelayMs, warnings);
    ReadMilliseconds(env, u"CADSIM_PART_DELAY_MS", config.partDelayMs, warnings);
    ReadFlag(env, u"CADSIM_NEVER_IDLE", config.neverIdle, warnings);
    if (const auto fail = env(u"CADSIM_FAIL_PARTS")) {
        for (auto& part : Split(*fail, u';')) {
            if (part == u"*") {
                config.failAllParts = true;
            } else if (!part.empty()) {
                config.failParts.push_back(std::move(part));
            }
        }
    }
    if (const auto formats = env(u"CADSIM_FORMATS")) {
        std::vector<std::string> problems;
        auto parsed = ParseCadFormats(*formats, problems);
        if (problems.empty()) {
            config.formats = std::move(parsed);
        }
        for (const auto& problem : problems) {
            warnings.push_back("CADSIM_FORMATS: " + problem);
        }
    }
    if (const auto count = env(u"CADSIM_FORMAT_COUNT")) {
        if (const auto number = ParseSigned(*count)) {
            config.formatCount = *number;
        } else {
            warnings.push_back("CADSIM_FORMAT_COUNT: not a signed 32-bit number: " +
                               Utf16ToUtf8(*count));
        }
    }
    if (const auto faults = env(u"CADSIM_FAULTS")) {
        std::vector<std::string> problems;
        auto parsed = ParseFaults(*faults, problems);
        if (problems.empty()) {
            config.faults = std::move(parsed);
        }
        for (const auto& problem : problems) {
            warnings.push_back("CADSIM_FAULTS: " + problem);
        }
    }
    return config;
}

} // namespace qrv::cadsim
