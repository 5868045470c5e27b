#include "app/cad_library_lifetime.h"

#include "cadlib/library_fault.h"

namespace qrv {

void LoadCADLibrary(CadLibraryHost& host, const std::u16string& folder) {
    host.PutInFrontOfPath(folder);
    if (host.FolderExists(folder)) {
        host.SetCurrentFolder(folder);
    }
    host.LoadCADBasket(folder);
}

void UnloadCADLibrary(CadLibraryHost& host) {
    host.RestorePath();
    if (!host.LibraryLoaded()) {
        return;
    }
    try {
        host.Library().CadStopIfBound();
    } catch (const ECADLibraryFault&) {
        // Ignored, as every failure while releasing: the library is unloaded all the same.
    }
    host.Pump();
    host.UnloadCADBasket();
}

} // namespace qrv
