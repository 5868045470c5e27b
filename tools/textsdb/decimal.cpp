#include "decimal.h"

#include <algorithm>
#include <stdexcept>

namespace qrv::textsdb {

namespace {

constexpr std::uint8_t kNegative = 0x80;

// 128 bits as four 32-bit words, the least significant first.
using Words = std::array<std::uint32_t, 4>;

// words = words * 10 + digit; false when the result needs more than 128 bits.
bool MultiplyAdd(Words& words, std::uint32_t digit) {
    std::uint64_t carry = digit;
    for (std::uint32_t& word : words) {
        const std::uint64_t product = std::uint64_t{word} * 10 + carry;
        word = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    return carry == 0;
}

// words = words / 10; returns the remainder.
std::uint32_t DivideBy10(Words& words) {
    std::uint64_t remainder = 0;
    for (auto it = words.rbegin(); it != words.rend(); ++it) {
        const std::uint64_t value = (remainder << 32) | *it;
        *it = static_cast<std::uint32_t>(value / 10);
        remainder = value % 10;
    }
    return static_cast<std::uint32_t>(remainder);
}

bool IsZero(const Words& words) {
    return std::all_of(words.begin(), words.end(), [](std::uint32_t w) { return w == 0; });
}

} // namespace

std::array<std::uint8_t, kDecimalBytes> EncodeDecimal(std::string_view text, std::uint8_t precision,
                                                      std::uint8_t scale) {
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    const bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || !digits(whole) || !digits(fraction) ||
        (point != std::string_view::npos && fraction.empty())) {
        throw std::runtime_error(quoted + " is not a decimal number");
    }
    if (fraction.size() > scale) {
        throw std::runtime_error(quoted + " has more digits after the point than the scale " +
                                 std::to_string(scale));
    }
    std::string scaled = std::string(whole) + std::string(fraction);
    scaled.append(scale - fraction.size(), '0');
    scaled.erase(0, std::min(scaled.find_first_not_of('0'), scaled.size()));
    if (scaled.size() > precision) {
        throw std::runtime_error(quoted + " has more digits than the precision " +
                                 std::to_string(precision));
    }
    Words words{};
    for (const char c : scaled) {
        if (!MultiplyAdd(words, static_cast<std::uint32_t>(c - '0'))) {
            throw std::runtime_error(quoted + " does not fit 128 bits");
        }
    }
    std::array<std::uint8_t, kDecimalBytes> bytes{};
    bytes[0] = (negative && !IsZero(words)) ? kNegative : 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::uint32_t word = words[words.size() - 1 - i];
        for (std::size_t b = 0; b < 4; ++b) {
            bytes[1 + 4 * i + b] = static_cast<std::uint8_t>(word >> (8 * b));
        }
    }
    return bytes;
}

std::string FormatDecimal(std::span<const std::uint8_t, kDecimalBytes> bytes, std::uint8_t scale) {
    Words words{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::uint32_t word = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            word |= std::uint32_t{bytes[1 + 4 * i + b]} << (8 * b);
        }
        words[words.size() - 1 - i] = word;
    }
    const bool negative = (bytes[0] & kNegative) != 0;
    std::string digits; // least significant first
    while (!IsZero(words) || digits.size() <= scale) {
        digits.push_back(static_cast<char>('0' + DivideBy10(words)));
    }
    std::string text = negative ? "-" : "";
    for (std::size_t i = digits.size(); i-- > 0;) {
        text.push_back(digits[i]);
        if (i == scale && scale > 0) {
            text.push_back('.');
        }
    }
    return text;
}

} // namespace qrv::textsdb
