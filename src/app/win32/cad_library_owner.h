#pragma once
// The program's owner of the CAD export library. While the library is loaded its folder
// stands in front of PATH (FSavedPath keeps the value from before) and is the current folder;
// the module and its binding are the handle it is given, and every call into the library
// goes through the guard.

#include "app/cad_library_lifetime.h"
#include "cadlib/win32/bound_cad_library.h"
#include "cadlib/win32/cad_basket.h"
#include "platform/win32/path_variable.h"

#include <string>

namespace qrv {

class TCADLibraryOwner final : public CadLibraryOwner, private CadLibraryHost {
public:
    // The handle is the program's CADLibraryHandle; only this object loads or unloads it.
    explicit TCADLibraryOwner(TCADLibraryHandle& handle) : handle_(handle), library_(handle) {}

    void LoadCADLibrary(const std::u16string& folder) override;
    void UnloadCADLibrary() override;
    bool LibraryLoaded() const override { return handle_.Loaded(); }
    CadLibrary& Library() override { return library_; }

private:
    void PutInFrontOfPath(const std::u16string& folder) override;
    void RestorePath() override;
    bool FolderExists(const std::u16string& folder) override;
    void SetCurrentFolder(const std::u16string& folder) override;
    void LoadCADBasket(const std::u16string& folder) override;
    void UnloadCADBasket() override;
    void Pump() override;

    TCADLibraryHandle& handle_;
    PathPrefix FSavedPath;
    BoundCadLibrary library_;
};

} // namespace qrv
