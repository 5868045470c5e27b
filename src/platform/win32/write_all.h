#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qrv {

// Writes every byte to the open file, in chunks WriteFile can take; false when a write fails
// or writes nothing.
bool WriteAll(HANDLE file, std::string_view bytes);

// Writes the file whole, replacing one of that name: ERROR_SUCCESS, or the system's error
// code of what failed.
DWORD WriteNewFile(const std::u16string& path, std::string_view bytes);

} // namespace qrv
