#include "app/win32/cad_library_owner.h"

#include "platform/ansi.h"
#include "platform/win32/message_pump.h"

namespace qrv {

void TCADLibraryOwner::LoadCADLibrary(const std::u16string& folder) {
    qrv::LoadCADLibrary(*this, folder);
}

void TCADLibraryOwner::UnloadCADLibrary() {
    qrv::UnloadCADLibrary(*this);
}

void TCADLibraryOwner::PutInFrontOfPath(const std::u16string& folder) {
    FSavedPath.Apply(folder);
}

void TCADLibraryOwner::RestorePath() {
    FSavedPath.Restore();
}

bool TCADLibraryOwner::FolderExists(const std::u16string& folder) {
    const DWORD attributes = GetFileAttributesA(ToAnsi(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void TCADLibraryOwner::SetCurrentFolder(const std::u16string& folder) {
    SetCurrentDirectoryA(ToAnsi(folder).c_str());
}

void TCADLibraryOwner::LoadCADBasket(const std::u16string& folder) {
    qrv::LoadCADBasket(folder, handle_);
}

void TCADLibraryOwner::UnloadCADBasket() {
    qrv::UnloadCADBasket(handle_, &PumpMessages);
}

void TCADLibraryOwner::Pump() {
    PumpMessages();
}

} // namespace qrv
