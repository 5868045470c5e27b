#pragma once
// The program's shutdown: what closing the main window does, in this order. Saving the
// settings, freeing what the session holds, unloading the CAD export library.

#include "app/program_session.h"

namespace qrv {

// A settings file that cannot be written is told in one message and the shutdown goes on;
// a failure of the unloading is ignored.
void RunShutdown(TProgramSession& session);

} // namespace qrv
