#pragma once
// Turns any text into one valid Windows file or folder name.

#include <string>
#include <string_view>

namespace qrv::cadsim {

// Longest name made, in UTF-16 code units, so that a few levels of subfolders stay well
// inside the classic 260-character path limit of the Win32 file functions.
inline constexpr size_t kMaxNameLength = 100;

// Characters that Windows refuses in names (controls and <>:"/\|?*) become '_'; the name
// is cut to kMaxNameLength without splitting a surrogate pair; trailing dots and blanks
// are removed; an empty result becomes "_"; a reserved device name (CON, PRN, AUX, NUL,
// COM1-9, LPT1-9, also with an extension, any case) gets a leading '_'.
std::u16string SafeFileName(std::u16string_view text);

bool IsReservedDeviceName(std::u16string_view name);

} // namespace qrv::cadsim
