#pragma once
// The program's start-up: what creating the main window does, step by step, in a fixed
// order. The window handles its messages between the steps; a close request that has come
// meanwhile ends the start-up there (the shutdown runs once it has ended).

#include "app/cad_library_owner.h"
#include "app/close_gate.h"
#include "app/main_window_data.h"
#include "app/main_window_texts.h"
#include "app/program_shell.h"
#include "platform/environment.h"

#include <string>

namespace qrv {

// The main window's own steps of the start-up.
class StartUpWindow {
public:
    virtual ~StartUpWindow() = default;
    // From here on a second copy of the program brings this one to the front.
    virtual void InstallRestoreProcedure() = 0;
    virtual std::u16string ControlText(int control) const = 0;
    virtual void SetControlText(int control, const std::u16string& text) = 0;
    // The window becomes visible with its starting panel.
    virtual void ShowMainWindow() = 0;
    // While the CAD system starts only the starting panel shows; then the program controls.
    virtual void ShowStartingPanel() = 0;
    virtual void ShowProgramControls() = 0;
    virtual void UpdateExportButton() = 0;
};

// Whom the start-up talks to. The close gate tells whether a close request waits.
struct StartUpRoles {
    StartUpWindow& window;
    ProgramTextTargets& texts;
    TCADLibraryOwner& library;
    ProgramShell& shell;
    ProgramMessages& messages;
    const TCloseGate& closeGate;
};

// What the start-up reads of the process.
struct StartUpInputs {
    EnvironmentSnapshot environment;
    std::u16string programFile; // the full path of the running program
};

// Runs the start-up. Handled inside: an environment that cannot be read (a message, then
// the start-up goes on with what was read), a missing texts database (a message, the texts
// stay their keys), a CAD system that does not become idle in time (a message unless a close
// was requested; the start-up ends), and a failure while reading the formats (ignored; too
// many formats go to the general error report). Any other error of a step leaves it, an
// ECADLibraryLoadError of the library loading among them.
void RunStartUpSequence(const StartUpRoles& roles, const MainWindowData& data,
                        const StartUpInputs& inputs);

} // namespace qrv
