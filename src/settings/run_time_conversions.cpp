#include "settings/run_time_conversions.h"

#include <limits>

namespace qrv {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool hex = !text.empty() && text.front() == '$';
    if (hex) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    const uint64_t limit =
        hex ? std::numeric_limits<uint32_t>::max()
            : static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) + (negative ? 1 : 0);
    uint64_t value = 0;
    for (const char c : text) {
        const int digit = hex ? HexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (value > limit) {
            return std::nullopt;
        }
    }
    // Hexadecimal values take all 32 bits, as the run-time library's conversion does.
    const auto bits = static_cast<uint32_t>(negative ? 0 - value : value);
    return static_cast<int32_t>(bits);
}

std::string BinToHex(const uint8_t* bytes, size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        text.push_back(kDigits[bytes[i] >> 4]);
        text.push_back(kDigits[bytes[i] & 0x0F]);
    }
    return text;
}

size_t HexToBin(std::string_view text, uint8_t* bytes, size_t count) {
    size_t decoded = 0;
    for (; decoded < count && decoded * 2 + 1 < text.size(); ++decoded) {
        const int high = HexDigitValue(text[decoded * 2]);
        const int low = HexDigitValue(text[decoded * 2 + 1]);
        if (high < 0 || low < 0) {
            break;
        }
        bytes[decoded] = static_cast<uint8_t>((high << 4) | low);
    }
    return decoded;
}

} // namespace qrv
