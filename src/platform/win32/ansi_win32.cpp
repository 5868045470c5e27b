#include "platform/ansi.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace qrv {

std::string ToAnsi(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() > INT_MAX) {
        throw std::length_error("text too long for the ANSI code page conversion");
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), needed, nullptr, nullptr);
    return out;
}

std::u16string FromAnsi(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() > INT_MAX) {
        throw std::length_error("text too long for the ANSI code page conversion");
    }
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::u16string out(static_cast<size_t>(needed), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(out.data()),
                        needed);
    return out;
}

} // namespace qrv
