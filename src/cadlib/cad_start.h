#pragma once
// Starting the CAD system and waiting, with a time-out, until it reports itself idle.

#include "cadlib/cad_library.h"

#include <cstdint>

namespace qrv {

// What the wait needs of the user interface and the clock.
class TCADStartHost {
public:
    virtual ~TCADStartHost() = default;
    virtual void ShowStartingPanel() = 0;
    virtual void ShowProgramControls() = 0;
    virtual void Pump() = 0;
    virtual void Sleep(int milliseconds) = 0;
    virtual double NowInDays() = 0; // the time, in fractional days
    virtual void RequestTerminate() = 0;
    // The user asked to close the program while the CAD system was starting.
    virtual bool CloseRequested() = 0;
};

inline constexpr int kCADPollMilliseconds = 100;

// Calls CadStart and polls CadIsSleeping every 100 ms until it reports idle or timeoutSeconds
// have passed since CadStart returned; a library without the query ends the program. True
// when the CAD system reported idle, also in the pass that reached the time-out. A close
// request ends the wait at the next poll (the start then counts as failed).
bool StartCAD(TCADLibrary& library, TCADStartHost& host, int32_t timeoutSeconds);

} // namespace qrv
