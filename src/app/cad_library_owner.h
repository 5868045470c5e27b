#pragma once
// The owner of the CAD export library: loading and unloading it, with the process set-up
// around it. While the library is loaded its folder stands in front of PATH and is the current
// folder. The steps on the system are the build's (app/win32/windows_cad_library_owner.h).

#include "cadlib/cad_library.h"
#include "platform/program_shell.h"

#include <string>

namespace qrv {

class TCADLibraryOwner {
public:
    // The unloading pumps through the shell.
    explicit TCADLibraryOwner(TProgramShell& shell) : shell_(shell) {}
    virtual ~TCADLibraryOwner() = default;
    TCADLibraryOwner(const TCADLibraryOwner&) = delete;
    TCADLibraryOwner& operator=(const TCADLibraryOwner&) = delete;

    // Puts the folder in front of PATH, so that modules the library loads by name are found
    // in its folder first, makes it the current folder when it exists, and loads, binds and
    // initialises the library from it. Returns only with the library loaded;
    // ECADLibraryLoadError otherwise.
    void LoadCADLibrary(const std::u16string& folder);
    // Restores PATH; then, when a library is loaded, stops the CAD system (a fault of the
    // library there is ignored) and unloads the library.
    void UnloadCADLibrary();

    virtual bool LibraryLoaded() const = 0;
    virtual TCADLibrary& Library() = 0;
    // The library while one is loaded, else null.
    TCADLibrary* LoadedLibrary() { return LibraryLoaded() ? &Library() : nullptr; }

private:
    // Puts the folder and ";" in front of PATH, keeping the value as it was.
    virtual void PutInFrontOfPath(const std::u16string& folder) = 0;
    // Sets PATH back to the kept value, character for character.
    virtual void RestorePath() = 0;
    virtual bool FolderExists(const std::u16string& folder) = 0;
    virtual void SetCurrentFolder(const std::u16string& folder) = 0;
    // The module with its binding: LoadCADBasket and UnloadCADBasket, which pumps through the
    // shell around freeing the module.
    virtual void LoadModule(const std::u16string& folder) = 0;
    virtual void UnloadModule(TProgramShell& shell) = 0;

    TProgramShell& shell_;
};

} // namespace qrv
