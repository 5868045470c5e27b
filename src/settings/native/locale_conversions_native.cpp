#include "settings/locale_conversions.h"

#include "settings/run_time_conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <vector>

namespace qrv {

namespace {

std::u16string Widen(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

// Blanks trimmed; nothing when a unit is outside ASCII (no format here uses one).
std::optional<std::string> Narrow(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == u' ') {
        text.remove_suffix(1);
    }
    std::string narrow;
    for (const char16_t unit : text) {
        if (unit > 0x7F) {
            return std::nullopt;
        }
        narrow.push_back(static_cast<char>(unit));
    }
    return narrow;
}

TDateTimeParts Decode(TDateTime value) {
    const auto parts = TryDecodeDateTime(value);
    if (!parts) {
        throw EConvertError("Invalid argument to date encode");
    }
    return *parts;
}

std::string FormatDate(const TDateTimeParts& parts) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts.year, parts.month, parts.day);
    return text;
}

std::string FormatTime(const TDateTimeParts& parts) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", parts.hour, parts.minute, parts.second);
    return text;
}

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(text.find(separator, start), text.size());
        fields.push_back(text.substr(start, end - start));
        if (end == text.size()) {
            return fields;
        }
        start = end + 1;
    }
}

// 1 to maxDigits decimal digits, nothing else.
std::optional<int> ParseNumber(std::string_view digits, size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<TDateTime> ParseDate(std::string_view text) {
    const auto fields = SplitFields(text, '-');
    if (fields.size() != 3) {
        return std::nullopt;
    }
    const auto year = ParseNumber(fields[0], 4);
    const auto month = ParseNumber(fields[1], 2);
    const auto day = ParseNumber(fields[2], 2);
    if (!year || !month || !day) {
        return std::nullopt;
    }
    return TryEncodeDate(*year, *month, *day);
}

std::optional<TDateTime> ParseTime(std::string_view text) {
    std::optional<int> millisecond = 0;
    if (const size_t dot = text.find('.'); dot != std::string_view::npos) {
        const std::string_view fraction = text.substr(dot + 1);
        millisecond = ParseNumber(fraction, 3);
        for (size_t i = fraction.size(); millisecond && i < 3; ++i) {
            *millisecond *= 10;
        }
        text = text.substr(0, dot);
    }
    const auto fields = SplitFields(text, ':');
    if (fields.size() < 2 || fields.size() > 3) {
        return std::nullopt;
    }
    const auto hour = ParseNumber(fields[0], 2);
    const auto minute = ParseNumber(fields[1], 2);
    const auto second = fields.size() == 3 ? ParseNumber(fields[2], 2) : std::optional<int>(0);
    if (!hour || !minute || !second || !millisecond) {
        return std::nullopt;
    }
    return TryEncodeTime(*hour, *minute, *second, *millisecond);
}

} // namespace

std::u16string DateToStr(TDateTime value) {
    return Widen(FormatDate(Decode(value)));
}

std::u16string TimeToStr(TDateTime value) {
    return Widen(FormatTime(Decode(value)));
}

std::u16string DateTimeToStr(TDateTime value) {
    const TDateTimeParts parts = Decode(value);
    std::string text = FormatDate(parts);
    if (parts.hour != 0 || parts.minute != 0 || parts.second != 0 || parts.millisecond != 0) {
        text += ' ' + FormatTime(parts);
    }
    return Widen(text);
}

std::u16string FloatToStr(double value) {
    char text[64];
    const auto result =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::general, 15);
    return Widen(std::string_view(text, static_cast<size_t>(result.ptr - text)));
}

std::optional<TDateTime> TryStrToDate(std::u16string_view text) {
    const auto narrow = Narrow(text);
    return narrow ? ParseDate(*narrow) : std::nullopt;
}

std::optional<TDateTime> TryStrToTime(std::u16string_view text) {
    const auto narrow = Narrow(text);
    return narrow ? ParseTime(*narrow) : std::nullopt;
}

std::optional<TDateTime> TryStrToDateTime(std::u16string_view text) {
    const auto narrow = Narrow(text);
    if (!narrow) {
        return std::nullopt;
    }
    const size_t blank = narrow->find(' ');
    if (blank == std::string::npos) {
        if (const auto date = ParseDate(*narrow)) {
            return date;
        }
        return ParseTime(*narrow);
    }
    const auto date = ParseDate(std::string_view(*narrow).substr(0, blank));
    const auto time =
        ParseTime(std::string_view(*narrow).substr(narrow->find_first_not_of(' ', blank)));
    if (!date || !time) {
        return std::nullopt;
    }
    return CombineDateTime(*date, *time);
}

std::optional<double> TryStrToFloat(std::u16string_view text) {
    auto narrow = Narrow(text);
    if (!narrow || narrow->empty()) {
        return std::nullopt;
    }
    std::string_view digits = *narrow;
    if (digits.front() == '+') {
        digits.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                        std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace qrv
