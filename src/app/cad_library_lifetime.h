#pragma once
// Loading and unloading the CAD export library, with the process set-up around it: the
// library's folder in front of PATH while it is loaded, and as the current folder.

#include "cadlib/cad_library.h"

#include <string>

namespace qrv {

// The owner of the CAD export library, as the start-up, the export run and the shutdown reach
// it. The main window owns it.
class CadLibraryOwner {
public:
    virtual ~CadLibraryOwner() = default;
    // PATH, the current folder and the library (LoadCADLibrary below). Returns only with the
    // library loaded and bound; ECADLibraryLoadError otherwise.
    virtual void LoadCADLibrary(const std::u16string& folder) = 0;
    // Restores PATH, stops the CAD system and unloads the library (UnloadCADLibrary below).
    virtual void UnloadCADLibrary() = 0;
    virtual bool LibraryLoaded() const = 0;
    virtual CadLibrary& Library() = 0;

    // The library while one is loaded, else null.
    CadLibrary* LoadedLibrary() { return LibraryLoaded() ? &Library() : nullptr; }
};

// The steps of loading and unloading: what they need of the process and of the binding.
class CadLibraryHost {
public:
    virtual ~CadLibraryHost() = default;
    // Puts the folder and ";" in front of PATH, keeping the value as it was.
    virtual void PutInFrontOfPath(const std::u16string& folder) = 0;
    // Sets PATH back to the kept value, character for character.
    virtual void RestorePath() = 0;
    virtual bool FolderExists(const std::u16string& folder) = 0;
    virtual void SetCurrentFolder(const std::u16string& folder) = 0;
    // Loads, binds and initialises CADBasketDLL.dll from the folder; raises
    // ECADLibraryLoadError when the library cannot be loaded or is refused.
    virtual void LoadCADBasket(const std::u16string& folder) = 0;
    // Finalises and frees the library and clears the binding.
    virtual void UnloadCADBasket() = 0;
    virtual bool LibraryLoaded() const = 0;
    virtual CadLibrary& Library() = 0;
    virtual void Pump() = 0;
};

// When the library loads further modules by name, its own folder is searched first. Returns
// only with the library loaded.
void LoadCADLibrary(CadLibraryHost& host, const std::u16string& folder);

// Restores PATH; then, when a library is loaded, stops the CAD system (a fault of the library
// there is ignored) and unloads the library.
void UnloadCADLibrary(CadLibraryHost& host);

} // namespace qrv
