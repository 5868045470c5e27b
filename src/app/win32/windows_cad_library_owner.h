#pragma once
// The program's owner of the CAD export library on Windows: FSavedPath keeps PATH from before
// the library's folder went in front of it; the module and its binding are its handle, which
// nothing else loads or unloads, and every call into the library goes through the guard.

#include "app/cad_library_owner.h"
#include "cadlib/win32/bound_cad_library.h"
#include "cadlib/win32/cad_basket.h"
#include "platform/ansi.h"
#include "platform/win32/path_variable.h"

#include <windows.h>

namespace qrv {

class TWindowsCADLibraryOwner final : public TCADLibraryOwner {
public:
    explicit TWindowsCADLibraryOwner(TProgramShell& shell) : TCADLibraryOwner(shell) {}

    bool LibraryLoaded() const override { return handle_.Loaded(); }
    TCADLibrary& Library() override { return library_; }

private:
    void PutInFrontOfPath(const std::u16string& folder) override { FSavedPath.Apply(folder); }
    void RestorePath() override { FSavedPath.Restore(); }
    // The folder by its 8-bit name, as the library's own folder is given to the system.
    bool FolderExists(const std::u16string& folder) override {
        const DWORD attributes = GetFileAttributesA(ToAnsi(folder).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    void SetCurrentFolder(const std::u16string& folder) override {
        SetCurrentDirectoryA(ToAnsi(folder).c_str());
    }
    void LoadModule(const std::u16string& folder) override { LoadCADBasket(folder, handle_); }
    void UnloadModule(TProgramShell& shell) override {
        UnloadCADBasket(handle_, [&shell] { shell.Pump(); });
    }

    TCADLibraryHandle handle_; // CADLibraryHandle
    TPathPrefix FSavedPath;
    TBoundCADLibrary library_{handle_};
};

} // namespace qrv
