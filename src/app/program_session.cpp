#include "app/program_session.h"

#include "app/program_version.h"
#include "platform/fill_in.h"
#include "platform/system_version.h"
#include "platform/utf.h"

namespace qrv {

TProgramSession::TProgramSession(TProgramShell& shell, TProgramMessages& messages,
                                 TCADLibraryOwner& library, TMainWindowView& mainWindow)
    : shell(shell), messages(messages), library(library),
      closeGate([&mainWindow] { mainWindow.PostClose(); }),
      choices(mainWindow.FormatsList(), mainWindow.SubDirListBox(), mainWindow) {}

TProgramFacts ProgramFacts(TProgramSession& session) {
    const std::u16string libraryPath = session.library.LibraryPath();
    return {.program = ProgramVersionText(),
            .systemVersion = SystemVersionText(),
            .libraryPath = libraryPath,
            .libraryVersion = libraryPath.empty() ? u"" : FileVersionText(libraryPath),
            .textsDatabase = session.textsDatabase,
            .language = session.basket.FLanguage,
            .settingsFile = session.SettingsPath};
}

void RecordErrorShown(TProgramSession& session, const std::exception& error) {
    session.eventLog.Add(
        [&] { return FillIn(session.keptTexts.run.logErrorShown, {Utf8ToUtf16(error.what())}); });
}

namespace {

void RunExportInOrder(TProgramSession& session, TMainWindowView& mainWindow,
                      TExportProgressView& progress, TExportErrorView& errors,
                      TExportTaskbarView& taskbar) {
    const TCloseGate::TWork run(session.closeGate);
    TCADLibrary* library = session.library.LoadedLibrary();
    const TCADFolders folders = mainWindow.CADFolders();
    const TExportRunInputs inputs{.basket = session.basket,
                                  .cadDataFolder = folders.cadData,
                                  .cadSoftwareFolder = folders.cadSoftware,
                                  .destination = mainWindow.Destination(),
                                  .choices = session.choices,
                                  .startingText = session.keptTexts.StartingPDataMgr,
                                  .errorsText = session.keptTexts.Errors,
                                  .eventLog = &session.eventLog,
                                  .texts = &session.keptTexts.run};
    // Here the library learns the destination; the run hands it over again once it exists.
    SetLibraryDirs(library, inputs.cadDataFolder, inputs.cadSoftwareFolder, inputs.destination,
                   session.basket.FShopName);
    RunExport(library, inputs, mainWindow, progress, errors, taskbar);
}

} // namespace

void RunExportOnce(TProgramSession& session, TMainWindowView& mainWindow,
                   TExportProgressView& progress, TExportErrorView& errors,
                   TExportTaskbarView& taskbar) {
    // A click that was queued while the shutdown ran (it pumps around stopping and unloading
    // the library) starts nothing: the library is stopped or gone.
    if (session.runStarted || session.closeGate.ShuttingDown()) {
        return;
    }
    session.runStarted = true;
    try {
        RunExportInOrder(session, mainWindow, progress, errors, taskbar);
    } catch (const std::exception& error) {
        RecordErrorShown(session, error); // the window's handler reports it
        throw;
    }
}

} // namespace qrv
