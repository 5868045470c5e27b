#include "app/program_session.h"

namespace qrv {

TProgramSession::TProgramSession(TProgramShell& shell, TProgramMessages& messages,
                                 TCADLibraryOwner& library, TMainWindowView& mainWindow)
    : shell(shell), messages(messages), library(library),
      closeGate([&mainWindow] { mainWindow.PostClose(); }),
      choices(mainWindow.FormatsList(), mainWindow.SubDirListBox(), mainWindow) {}

void RunExportOnce(TProgramSession& session, TMainWindowView& mainWindow,
                   TExportProgressView& progress, TExportErrorView& errors,
                   TExportTaskbarView& taskbar) {
    // A click that was queued while the shutdown ran (it pumps around stopping and unloading
    // the library) starts nothing: the library is stopped or gone.
    if (session.runStarted || session.closeGate.ShuttingDown()) {
        return;
    }
    session.runStarted = true;
    const TCloseGate::TWork run(session.closeGate);
    TCADLibrary* library = session.library.LoadedLibrary();
    const TCADFolders folders = mainWindow.CADFolders();
    const TExportRunInputs inputs{.basket = session.basket,
                                  .cadDataFolder = folders.cadData,
                                  .cadSoftwareFolder = folders.cadSoftware,
                                  .destination = mainWindow.Destination(),
                                  .choices = session.choices,
                                  .startingText = session.keptTexts.StartingPDataMgr,
                                  .errorsText = session.keptTexts.Errors};
    // Here the library learns the destination; the run hands it over again once it exists.
    SetLibraryDirs(library, inputs.cadDataFolder, inputs.cadSoftwareFolder, inputs.destination,
                   session.basket.FShopName);
    RunExport(library, inputs, mainWindow, progress, errors, taskbar);
}

} // namespace qrv
