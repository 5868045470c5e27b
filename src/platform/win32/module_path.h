#pragma once

#include <windows.h>

#include <string>

namespace qrv {

// The full path of a loaded module (null: the program file), whatever its length; empty
// when the system cannot tell.
std::u16string ModulePath(HMODULE module);

} // namespace qrv
