#pragma once
// Loads a library into a program that was started suspended, before its first instruction:
// a thread of the program's own calls LoadLibraryW with the library's path. For stand-ins of
// system behaviour that Wine lacks (tests/win/high_contrast_shim).

#include <string>

#include "driver/process.h"

namespace qrv::drive {

// Throws DriverError when the library could not be loaded.
void LoadLibraryInto(const Process& process, const std::wstring& library);

} // namespace qrv::drive
