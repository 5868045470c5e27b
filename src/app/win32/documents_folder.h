#pragma once

#include <string>

namespace qrv {

// The user's documents folder (8-bit, ANSI code page), as the shell reports it. Raises an
// error when the shell cannot tell.
std::string GetMyDocumentsFolder();

} // namespace qrv
