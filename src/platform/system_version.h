#pragma once
// Versions for the About box and the event log: the system's, and that of a module's file.

#include <string>

namespace qrv {

// The system's version as its maker numbers it: on Windows "10.0.19045" with the service pack
// and ", server" where they apply, and " (Wine 8.0)" under Wine.
std::u16string SystemVersionText();
// The file version in the version resource of a module file ("9.4.2.17"); empty when it has
// none or it cannot be read. On Windows the system's version library is loaded for the call
// alone: the program does not load it at its start.
std::u16string FileVersionText(const std::u16string& path);

} // namespace qrv
