#include "app/path_helpers.h"
#include "app/win32/main_window.h"

#include <charconv>

namespace qrv {

namespace {

// Decimal with an optional sign, or hexadecimal after "$" or "0x", within 32 bits.
std::optional<int32_t> ParseProfileInteger(std::u16string text) {
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        text.replace(0, 2, u"$");
    }
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7F) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(c));
    }
    int base = 10;
    std::string_view digits = ascii;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (!digits.empty() && digits[0] == '$') {
        base = 16;
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits[0] == '-' || digits[0] == '+') {
        return std::nullopt;
    }
    int64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    value = negative ? -value : value;
    if (base == 16 && !negative && value <= 0xFFFFFFFFLL) {
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

} // namespace

void TfrmExport::ReadStartTimeout() {
    wchar_t buffer[2048] = {};
    GetPrivateProfileStringW(L"System", L"StartPDataMgrTimeoutSeconds", L"", buffer, 2048,
                             reinterpret_cast<const wchar_t*>(SettingsPath().c_str()));
    startTimeout_ = ParseProfileInteger(reinterpret_cast<const char16_t*>(buffer)).value_or(120);
}

} // namespace qrv
