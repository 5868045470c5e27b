// Loading and unloading the CAD export library around the process set-up it needs.
#include "app/win32/main_window.h"
#include "cadlib/library_fault.h"
#include "cadlib/win32/cad_basket.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/path_variable.h"

namespace qrv {

namespace {

bool FolderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

void TfrmExport::LoadCADLibrary() {
    // The library's own folder is searched first when it loads further modules by name.
    savedPath_.Apply(basket_.CADLibDir);

    const std::string folder = ToAnsi(basket_.CADLibDir);
    if (FolderExists(folder)) {
        SetCurrentDirectoryA(folder.c_str());
    }
    LoadCADBasket(basket_.CADLibDir, CADLibraryHandle());
}

void TfrmExport::UnloadCADLibrary() {
    savedPath_.Restore();
    if (CADLibraryHandle().Loaded()) {
        try {
            library_.CadStopIfBound();
        } catch (const ECADLibraryFault&) {
            // Ignored, as every failure while releasing: the library is unloaded all the same.
        }
        PumpMessages();
        UnloadCADBasket(CADLibraryHandle(), &PumpMessages);
    }
}

void TfrmExport::SetLibraryDirs(const std::u16string& cadData, const std::u16string& cadSoftware,
                                const std::u16string& destination, const std::u16string& shopName) {
    if (!CADLibraryHandle().Loaded()) {
        return;
    }
    library_.SetDirs(cadData, cadSoftware, AddTrailingBackslash(destination),
                     shopName.empty() ? u"default" : shopName);
}

} // namespace qrv
