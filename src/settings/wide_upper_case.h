#pragma once
// The wide upper-case mapping used wherever names compare without regard to case: one UTF-16
// code unit to one code unit, the same for stored and for looked-up texts. On Windows it is the
// platform's (CharUpperBuffW); the native build uses the simple Unicode upper-case mappings of
// the Basic Multilingual Plane that round-trip to lower case.

#include <string>
#include <string_view>

namespace qrv {

char16_t WideUpperChar(char16_t unit);
std::u16string WideUpperCase(std::u16string_view text);
bool WideSameText(std::u16string_view a, std::u16string_view b);

} // namespace qrv
