#include "app/basket.h"

#include "app/path_helpers.h"
#include "framework/framework_package.h"
#include "platform/ansi.h"

#include <array>
#include <charconv>
#include <limits>

namespace qrv {

namespace {

constexpr std::array<std::string_view, 5> kNumberedPrefixes = {"PartNo_", "Type_", "ID1_", "ID2_",
                                                               "CAD_"};

// The index of a numbered variable name ("PartNo_" + decimal without leading zeros), if it
// is one.
std::optional<int64_t> NumberedIndex(std::string_view name) {
    const std::string folded = FoldAsciiCase(name);
    for (std::string_view prefix : kNumberedPrefixes) {
        const std::string foldedPrefix = FoldAsciiCase(prefix);
        if (folded.size() <= foldedPrefix.size() ||
            folded.compare(0, foldedPrefix.size(), foldedPrefix) != 0) {
            continue;
        }
        const std::string_view digits = std::string_view(name).substr(prefix.size());
        if (digits.size() > 1 && digits[0] == '0') {
            return std::nullopt;
        }
        int64_t index = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (error != std::errc() || end != digits.data() + digits.size() || index < 0) {
            return std::nullopt;
        }
        return index;
    }
    return std::nullopt;
}

int64_t HighestNumberedIndex(const EnvironmentSnapshot& environment) {
    int64_t highest = -1;
    environment.ForEach([&](std::string_view name, std::string_view) {
        if (const auto index = NumberedIndex(name); index && *index > highest) {
            highest = *index;
        }
    });
    return highest;
}

std::u16string Read(const EnvironmentSnapshot& environment, std::string_view name) {
    return FromAnsi(environment.Value(name));
}

std::u16string NumberedName(std::u16string_view prefix, int32_t i) {
    std::u16string name(prefix);
    for (char c : std::to_string(i)) {
        name.push_back(static_cast<char16_t>(c));
    }
    return name;
}

} // namespace

std::optional<int32_t> ParseCADCount(std::string_view text) {
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-') {
            return std::nullopt;
        }
    }
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

void ReadBasketParameters(const EnvironmentSnapshot& environment, BasketParameters& basket) {
    basket.CADENASDir = AddTrailingBackslash(Read(environment, "xQRVCADENAS_"));
    basket.CADDataDir =
        AddTrailingBackslash(Read(environment, "CADENASEXPORTDLL_")) + u"..\\..\\..\\..\\";
    basket.CADLibDir = AddTrailingBackslash(Read(environment, "CADENASEXPORTDLL_"));
    basket.Language = environment.Value("xQRVLanguage");
    basket.ShopName = Read(environment, "ShopName");
    if (basket.Language.empty()) {
        basket.Language = "ENGB";
    }

    const auto count = ParseCADCount(environment.Value("CADCount"));
    if (!count || *count < 1) {
        return;
    }
    const int64_t carried = HighestNumberedIndex(environment) + 1;
    const auto entries = static_cast<int32_t>(std::min<int64_t>(*count, carried));
    for (int32_t i = 0; i < entries; ++i) {
        basket.PartNoList.push_back(Read(environment, ToAnsi(NumberedName(u"PartNo_", i))));
        basket.TypeList.push_back(Read(environment, ToAnsi(NumberedName(u"Type_", i))));
        basket.ID1List.push_back(Read(environment, ToAnsi(NumberedName(u"ID1_", i))));
        basket.ID2List.push_back(Read(environment, ToAnsi(NumberedName(u"ID2_", i))));
        basket.CADList.push_back(JStringReplaceW(
            Read(environment, ToAnsi(NumberedName(u"CAD_", i))), u"~*~", u"=", rfReplaceAll));
    }
}

} // namespace qrv
