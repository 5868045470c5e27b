#pragma once
// UTF-8 for messages and console output; the driver's own text is UTF-16 (std::wstring), the
// form every W function of the system takes.

#include <string>
#include <string_view>

namespace qrv::drive {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// A window handle or other pointer-sized value as "0x1a2b".
std::string HexText(const void* value);

// "&Yes" -> "Yes", "Save && close" -> "Save & close": the text without its mnemonic marks.
std::wstring WithoutMnemonics(std::wstring_view text);

} // namespace qrv::drive
