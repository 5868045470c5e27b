#include "cadlib/cad_start.h"

namespace qrv {

bool StartCAD(TCADLibrary& library, TProgramShell& shell, TCADStartView& view,
              const std::function<bool()>& closeRequested, int32_t timeoutSeconds) {
    view.ShowStartingPanel();
    shell.Pump();
    library.CadStart();
    const int64_t started = shell.NowInMilliseconds();
    const int64_t limit = int64_t{timeoutSeconds} * 1000;

    bool idle = false;
    bool queryMissing = false;
    for (;;) {
        shell.Sleep(kCADPollMilliseconds);
        shell.Pump();
        const bool timedOut = shell.NowInMilliseconds() - started >= limit;
        if (library.HasCadIsSleeping()) {
            idle = library.CadIsSleeping();
        } else {
            queryMissing = true;
        }
        if (timedOut || idle || queryMissing || closeRequested()) {
            break;
        }
    }
    if (queryMissing) {
        shell.RequestTerminate();
    }
    view.ShowProgramControls();
    shell.Pump();
    return idle;
}

} // namespace qrv
