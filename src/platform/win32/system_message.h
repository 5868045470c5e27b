#pragma once
// The system's words for an error code, e.g. "The specified module could not be found" for
// 126, without the trailing line break and full stop; empty when the system has none.

#include <windows.h>

#include <string>

namespace qrv {

std::u16string SystemMessage(DWORD code);

} // namespace qrv
