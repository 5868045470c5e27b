#pragma once
// UTF-16 text as the wide Windows functions take and give it: char16_t and wchar_t are the
// same 16-bit units on Windows, only the types differ.

#include <string>

namespace qrv {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* Wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* WideBuffer(std::u16string& text) {
    return reinterpret_cast<wchar_t*>(text.data());
}
inline std::u16string FromWide(const wchar_t* text) {
    return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text)) : u"";
}

} // namespace qrv
