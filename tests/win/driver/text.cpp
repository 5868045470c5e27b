#include "driver/text.h"

#include <windows.h>

#include <charconv>
#include <cstdint>

namespace qrv::drive {

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring FromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, result.data(), length);
    return result;
}

std::string HexText(const void* value) {
    char digits[2 * sizeof(void*) + 1];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, reinterpret_cast<std::uintptr_t>(value), 16)
            .ptr;
    return "0x" + std::string(digits, end);
}

std::wstring WithoutMnemonics(std::wstring_view text) {
    std::wstring result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i; // the marked character, or the second "&" of "&&"
        }
        result += text[i];
    }
    return result;
}

} // namespace qrv::drive
