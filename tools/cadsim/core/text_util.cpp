#include "cadsim/core/text_util.h"

#include <cstdint>

namespace qrv::cadsim {

std::vector<std::u16string> Split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string> pieces;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        if (end == std::u16string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<uint32_t> ParseUnsigned(std::u16string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(c - u'0');
        if (value > UINT32_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<uint32_t>(value);
}

std::u16string NumberText(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace qrv::cadsim
