#pragma once
// The one place where UTF-16 text meets the system's 8-bit ANSI code page.
// On Windows the conversion is the system's (CP_ACP, its default character for what does
// not fit); the native build uses a fixed Windows-1252 table so that tests are deterministic.

#include <string>
#include <string_view>

namespace qrv {

std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view text);

} // namespace qrv
