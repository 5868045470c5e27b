#pragma once

#include <windows.h>

#include <string_view>

namespace qrv {

// Writes every byte to the open file, in chunks WriteFile can take; false when a write fails
// or writes nothing.
bool WriteAll(HANDLE file, std::string_view bytes);

} // namespace qrv
