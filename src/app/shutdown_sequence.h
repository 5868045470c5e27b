#pragma once
// The program's shutdown: what closing the main window does, in this order. Saving the
// settings, freeing what the window owns, unloading the CAD export library.

#include "app/main_window_data.h"

#include <string>

namespace qrv {

class ShutdownHost {
public:
    virtual ~ShutdownHost() = default;
    virtual void ShowMessageBox(const std::u16string& text) = 0;
    // Restores PATH, stops the CAD system and unloads the library.
    virtual void UnloadCADLibrary() = 0;
};

// A settings file that cannot be written is told in one message and the shutdown goes on;
// a failure of the unloading is ignored.
void RunShutdown(ShutdownHost& host, const MainWindowData& data);

} // namespace qrv
