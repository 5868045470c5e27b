#include "app/basket_parameters.h"

#include "app/environment_variables.h"
#include "framework/framework_package.h"
#include "platform/ansi.h"
#include "platform/ascii_case.h"
#include "platform/paths.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>

namespace qrv {

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

struct TNumberedName {
    size_t list;   // position of the prefix in kNumberedVariablePrefixes
    int64_t index; // the part's number
};

// Which numbered variable a name is ("PartNo_" + decimal without leading zeros), if any.
std::optional<TNumberedName> ParseNumberedName(std::string_view name) {
    for (size_t list = 0; list < kNumberedVariablePrefixes.size(); ++list) {
        const std::string_view prefix = kNumberedVariablePrefixes[list];
        if (!StartsWithIgnoringCase(name, prefix)) {
            continue;
        }
        const std::string_view digits = name.substr(prefix.size());
        // The index in decimal: digits only (from_chars would take "-0" as 0), no leading zero.
        if (digits.empty() || digits.find_first_not_of("0123456789") != digits.npos ||
            (digits.size() > 1 && digits[0] == '0')) {
            return std::nullopt;
        }
        int64_t index = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (error != std::errc() || end != digits.data() + digits.size() || index < 0) {
            return std::nullopt;
        }
        return TNumberedName{list, index};
    }
    return std::nullopt;
}

// How many entries to read: CADCount, every one of them, whether the environment sets it or
// not.
size_t BasketEntries(const TEnvironmentSnapshot& environment, int32_t count) {
    std::vector<int64_t> carried;
    environment.ForEach([&](std::string_view name, std::string_view) {
        const auto numbered = ParseNumberedName(name);
        if (numbered && numbered->index < count) {
            carried.push_back(numbered->index);
        }
    });
    std::sort(carried.begin(), carried.end());
    const auto distinct =
        static_cast<size_t>(std::unique(carried.begin(), carried.end()) - carried.begin());
    const auto entries = static_cast<size_t>(count);
    // Every entry costs memory whether the environment sets it or not: an absurd count would
    // otherwise fill memory with empty parts.
    if (entries > distinct + kMostEmptyEntries) {
        throw std::length_error("the basket count leaves more than " +
                                std::to_string(kMostEmptyEntries) + " entries empty");
    }
    return entries;
}

std::u16string Read(const TEnvironmentSnapshot& environment, std::string_view name) {
    return FromAnsi(environment.Value(name));
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

void ReadBasketParameters(const TEnvironmentSnapshot& environment, TBasketParameters& basket) {
    basket.FCADENASDir = AddTrailingBackslash(Read(environment, kCADENASFolderVariable));
    basket.FCADDataDir =
        AddTrailingBackslash(Read(environment, kCADLibraryFolderVariable)) + u"..\\..\\..\\..\\";
    basket.FCADLibDir = AddTrailingBackslash(Read(environment, kCADLibraryFolderVariable));
    basket.FLanguage = environment.Value(kLanguageVariable);
    basket.FShopName = Read(environment, kShopNameVariable);
    if (basket.FLanguage.empty()) {
        basket.FLanguage = "ENGB";
    }

    const auto count = ParseCADCount(environment.Value(kCADCountVariable));
    if (!count || *count < 1) {
        return;
    }
    // One pass over the snapshot puts every numbered variable in its place; a variable that
    // is not set leaves its entry empty.
    const size_t entries = BasketEntries(environment, *count);
    const std::array<std::vector<std::u16string>*, 5> lists = {&basket.FPartNoList,
                                                               &basket.FTypeList, &basket.FID1List,
                                                               &basket.FID2List, &basket.FCADList};
    const size_t first = basket.FPartNoList.size();
    for (auto* list : lists) {
        list->resize(list->size() + entries);
    }
    environment.ForEach([&](std::string_view name, std::string_view value) {
        const auto numbered = ParseNumberedName(name);
        if (!numbered || numbered->index >= static_cast<int64_t>(entries)) {
            return;
        }
        std::u16string text = FromAnsi(value);
        if (lists[numbered->list] == &basket.FCADList) {
            text = JStringReplaceW(text, u"~*~", u"=", rfReplaceAll);
        }
        (*lists[numbered->list])[first + static_cast<size_t>(numbered->index)] = std::move(text);
    });
}

} // namespace qrv
