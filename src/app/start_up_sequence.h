#pragma once
// The program's start-up: what creating the main window does, step by step, in a fixed
// order. The window handles its messages between the steps; a close request that has come
// meanwhile ends the start-up there (the shutdown runs once it has ended).

#include "app/main_window_view.h"
#include "app/program_session.h"
#include "platform/environment.h"

#include <functional>
#include <string>

namespace qrv {

// What the start-up reads of the process and the system.
struct TStartUpInputs {
    TEnvironmentSnapshot environment;
    std::u16string programFile; // the full path of the running program
    // The user's documents folder, 8-bit in the ANSI code page; raises when the system cannot
    // tell it.
    std::function<std::string()> myDocumentsFolder;
};

// Runs the start-up. Handled inside: an environment that cannot be read (a message, then
// the start-up goes on with what was read), a missing texts database (a message, the texts
// stay their keys), a CAD system that does not become idle in time (a message unless a close
// was requested; the start-up ends), and a failure while reading the formats (ignored; too
// many formats go to the general error report). Any other error of a step leaves it, an
// ECADLibraryLoadError of the library loading among them.
void RunStartUpSequence(TProgramSession& session, TMainWindowView& mainWindow,
                        const TStartUpInputs& inputs);

} // namespace qrv
