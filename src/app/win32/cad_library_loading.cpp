// Loading and unloading the CAD export library: the process set-up it needs and the binding.
#include "app/win32/main_window.h"
#include "cadlib/win32/cad_basket.h"
#include "platform/ansi.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/path_variable.h"

namespace qrv {

void TfrmExport::LoadCADLibrary(const std::u16string& folder) {
    qrv::LoadCADLibrary(*this, folder);
}

void TfrmExport::UnloadCADLibrary() {
    qrv::UnloadCADLibrary(*this);
}

bool TfrmExport::LibraryLoaded() const {
    return CADLibraryHandle().Loaded();
}

void TfrmExport::PutInFrontOfPath(const std::u16string& folder) {
    savedPath_.Apply(folder);
}

void TfrmExport::RestorePath() {
    savedPath_.Restore();
}

bool TfrmExport::FolderExists(const std::u16string& folder) {
    const DWORD attributes = GetFileAttributesA(ToAnsi(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void TfrmExport::SetCurrentFolder(const std::u16string& folder) {
    SetCurrentDirectoryA(ToAnsi(folder).c_str());
}

void TfrmExport::LoadCADBasket(const std::u16string& folder) {
    qrv::LoadCADBasket(folder, CADLibraryHandle());
}

void TfrmExport::UnloadCADBasket() {
    qrv::UnloadCADBasket(CADLibraryHandle(), &PumpMessages);
}

} // namespace qrv
