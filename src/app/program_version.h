#pragma once

#include <string>

namespace qrv {

// The program's name, version and build, as the About box and the event log name them:
// "QRV3DOVEravar 1.0.0 (win32, i686)". The version is the project's (CMakeLists.txt), the one
// that the program's version resource carries too.
std::u16string ProgramVersionText();

} // namespace qrv
