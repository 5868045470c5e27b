#pragma once

#include "platform/win32/on_demand_library.h"

#include <string>

namespace qrv {

// The user's documents folder (8-bit, ANSI code page), as the shell (shell32.dll, loaded by
// `shell` if it is not yet) reports it. Raises an error when the shell cannot tell.
std::string GetMyDocumentsFolder(TOnDemandLibrary& shell);

} // namespace qrv
