#include "cadsim/core/text_util.h"

#include "platform/utf.h"

#include <cstdint>

namespace qrv::cadsim {

namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

} // namespace

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

std::optional<int32_t> ParseSigned(std::u16string_view text) {
    text = TrimBlanks(text);
    const bool negative = !text.empty() && text.front() == u'-';
    if (negative) {
        text.remove_prefix(1);
    }
    const auto magnitude = ParseUnsigned(text);
    if (!magnitude || text.size() != TrimBlanks(text).size()) {
        return std::nullopt;
    }
    const int64_t value = negative ? -int64_t{*magnitude} : int64_t{*magnitude};
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::optional<uint32_t> ParseDecimalOrHex(std::u16string_view text) {
    text = TrimBlanks(text);
    if (text.size() < 2 || text[0] != u'0' || (text[1] != u'x' && text[1] != u'X')) {
        return ParseUnsigned(text);
    }
    text.remove_prefix(2);
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (const char16_t c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

std::optional<std::u16string> DecodePercent(std::u16string_view text) {
    if (text.find(u'%') == std::u16string_view::npos) {
        return std::u16string(text);
    }
    std::u16string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != u'%') {
            out.push_back(text[i++]);
            continue;
        }
        // A run of escapes is one UTF-8 sequence (or several).
        std::string bytes;
        while (i < text.size() && text[i] == u'%') {
            const int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            bytes.push_back(static_cast<char>(high << 4 | low));
            i += 3;
        }
        const std::u16string decoded = Utf8ToUtf16(bytes);
        if (Utf16ToUtf8(decoded) != bytes) { // something was replaced by U+FFFD
            return std::nullopt;
        }
        out += decoded;
    }
    return out;
}

std::u16string NumberText(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace qrv::cadsim
