#pragma once
// The program's shutdown: what closing the main window does, in this order. Saving the
// settings, freeing what the window owns, unloading the CAD export library.

#include "app/cad_library_owner.h"
#include "app/main_window_data.h"
#include "app/program_shell.h"

namespace qrv {

// A settings file that cannot be written is told in one message and the shutdown goes on;
// a failure of the unloading is ignored.
void RunShutdown(ProgramMessages& messages, TCADLibraryOwner& library, const MainWindowData& data);

} // namespace qrv
