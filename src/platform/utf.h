#pragma once
// UTF-8 <-> UTF-16 for tools, tests and file formats (never for the ANSI boundaries).

#include <string>
#include <string_view>

namespace qrv {

// Invalid UTF-8 sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Lone surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace qrv
