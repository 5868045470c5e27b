#include "cadlib/cad_start.h"

namespace qrv {

bool StartCAD(TCADLibrary& library, TCADStartHost& host, int32_t timeoutSeconds) {
    host.ShowStartingPanel();
    host.Pump();
    library.CadStart();
    const double started = host.NowInDays();
    const double limit = static_cast<double>(timeoutSeconds) / 86400.0;

    bool idle = false;
    bool queryMissing = false;
    for (;;) {
        host.Sleep(kCADPollMilliseconds);
        host.Pump();
        const bool timedOut = host.NowInDays() - started >= limit;
        if (library.HasCadIsSleeping()) {
            idle = library.CadIsSleeping();
        } else {
            queryMissing = true;
        }
        if (timedOut || idle || queryMissing || host.CloseRequested()) {
            break;
        }
    }
    if (queryMissing) {
        host.RequestTerminate();
    }
    host.ShowProgramControls();
    host.Pump();
    return idle;
}

} // namespace qrv
