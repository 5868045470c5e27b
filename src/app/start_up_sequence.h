#pragma once
// The program's start-up: what creating the main window does, step by step, in a fixed
// order. The window handles its messages between the steps; a close request that has come
// meanwhile ends the start-up there (the shutdown runs once it has ended).

#include "app/main_window_data.h"
#include "app/main_window_texts.h"
#include "cadlib/cad_library.h"
#include "cadlib/cad_start.h"
#include "platform/environment.h"

#include <exception>
#include <string>

namespace qrv {

// What the start-up needs of the main window and of the system. Pumping, the close request
// and the two panels come with CadStartHost; the captions with ProgramTextTargets.
class StartUpHost : public CadStartHost, public ProgramTextTargets {
public:
    // From here on a second copy of the program brings this one to the front.
    virtual void InstallRestoreProcedure() = 0;
    virtual EnvironmentSnapshot CaptureEnvironment() = 0;
    // 8-bit, ANSI code page; raises when the system cannot tell it.
    virtual std::string MyDocumentsFolder() = 0;
    // The full path of the running program.
    virtual std::u16string ProgramFile() = 0;
    virtual std::u16string ControlText(int control) const = 0;
    virtual void SetControlText(int control, const std::u16string& text) = 0;
    // The window becomes visible with its starting panel.
    virtual void ShowMainWindow() = 0;
    virtual void ShowMessageBox(const std::u16string& text) = 0;
    // The application's general error report, for an error that the start-up goes on after.
    virtual void ReportError(const std::exception& error) = 0;
    // PATH, the current folder and the library (app/cad_library_lifetime.h). Returns only with
    // the library loaded and bound; ECADLibraryLoadError otherwise.
    virtual void LoadCADLibrary(const std::u16string& folder) = 0;
    virtual bool LibraryLoaded() const = 0;
    virtual CadLibrary& Library() = 0;
    virtual void BringWindowsToFront() = 0;
    virtual void UpdateExportButton() = 0;
};

// Runs the start-up. Handled inside: an environment that cannot be read (a message, then
// the start-up goes on with what was read), a missing texts database (a message, the texts
// stay their keys), a CAD system that does not become idle in time (a message unless a close
// was requested; the start-up ends), and a failure while reading the formats (ignored; too
// many formats go to the general error report). Any other error of a step leaves it, an
// ECADLibraryLoadError of the library loading among them.
void RunStartUpSequence(StartUpHost& host, const MainWindowData& data);

} // namespace qrv
