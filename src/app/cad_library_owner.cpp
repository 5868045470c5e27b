#include "app/cad_library_owner.h"

#include "cadlib/library_fault.h"

namespace qrv {

void TCADLibraryOwner::LoadCADLibrary(const std::u16string& folder) {
    PutInFrontOfPath(folder);
    if (FolderExists(folder)) {
        SetCurrentFolder(folder);
    }
    LoadModule(folder);
}

void TCADLibraryOwner::UnloadCADLibrary() {
    RestorePath();
    if (!LibraryLoaded()) {
        return;
    }
    try {
        Library().CadStopIfBound();
    } catch (const ECADLibraryFault&) {
        // Ignored, as every failure while releasing: the library is unloaded all the same.
    }
    shell_.Pump();
    UnloadModule(shell_);
}

} // namespace qrv
