#pragma once
// Starting the CAD system and waiting, with a time-out, until it reports itself idle.

#include "cadlib/cad_library.h"
#include "platform/program_shell.h"

#include <cstdint>
#include <functional>

namespace qrv {

// What the wait shows of the main window.
class TCADStartView {
public:
    virtual ~TCADStartView() = default;
    // While the CAD system starts only the starting panel shows; then the program controls.
    virtual void ShowStartingPanel() = 0;
    virtual void ShowProgramControls() = 0;
};

inline constexpr int kCADPollMilliseconds = 100;

// Calls CadStart and polls CadIsSleeping every 100 ms until it reports idle or timeoutSeconds
// have passed since CadStart returned; a library without the query ends the program. True
// when the CAD system reported idle, also in the pass that reached the time-out.
// closeRequested tells whether the user asked to close the program meanwhile: that ends the
// wait at the next poll (the start then counts as failed).
bool StartCAD(TCADLibrary& library, TProgramShell& shell, TCADStartView& view,
              const std::function<bool()>& closeRequested, int32_t timeoutSeconds);

} // namespace qrv
