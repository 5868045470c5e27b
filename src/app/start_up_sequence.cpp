#include "app/start_up_sequence.h"

#include "app/basket_parameters.h"
#include "app/environment_variables.h"
#include "cadlib/cad_start.h"
#include "export/export_run.h"
#include "export/export_settings.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "settings/wide_file.h"

namespace qrv {

namespace {

// The destination until the saved one is restored, and when none is saved.
constexpr char kDestinationBelowDocuments[] = "\\Quellon\\CADFiles";

class TStartUpSequence final {
public:
    TStartUpSequence(TProgramSession& session, TMainWindowView& mainWindow,
                     const TStartUpInputs& inputs)
        : session_(session), mainWindow_(mainWindow), inputs_(inputs) {}

    void Run();

private:
    // A close request has come: the start-up ends at its next pump.
    bool CloseRequested() const { return session_.closeGate.ClosePending(); }
    // Pumps; false when a close request is pending, so that the start-up ends here.
    bool PumpAndGoOn();
    std::u16string DefaultDestination();
    void ReadBasketParameters();
    void LoadProgramTexts();
    void ApplyProgramTexts();
    void SetLibraryDirs();
    void ReadStartTimeout();
    bool StartCAD();
    void ReadCADFormats();
    void LoadSettings();

    TProgramSession& session_;
    TMainWindowView& mainWindow_;
    const TStartUpInputs& inputs_;
};

void TStartUpSequence::Run() {
    mainWindow_.InstallRestoreProcedure();
    session_.texts = std::make_unique<TStringHash>();
    session_.SettingsPath =
        AddTrailingBackslash(FromAnsi(inputs_.environment.Value(kAppDataVariable))) +
        std::u16string(kSettingsFileRelativePath);

    session_.basket = TBasketParameters{};
    mainWindow_.SetProgressText(u"");
    session_.choices.SubDirOrder() = kEnumerationOrder;
    mainWindow_.SetDestination(DefaultDestination());
    mainWindow_.ShowMainWindow();

    ReadBasketParameters();
    LoadProgramTexts();
    ApplyProgramTexts();
    mainWindow_.SetCADFolders(
        {session_.basket.FCADDataDir, session_.basket.FCADENASDir + u"software\\"});
    if (!PumpAndGoOn()) {
        return;
    }

    session_.library.LoadCADLibrary(session_.basket.FCADLibDir);
    if (!PumpAndGoOn()) {
        return;
    }
    SetLibraryDirs();
    if (!PumpAndGoOn()) {
        return;
    }
    ReadStartTimeout();

    if (!StartCAD()) {
        // A close request ends the wait as well; the program is going anyway.
        if (!CloseRequested()) {
            session_.messages.ShowMessageBox(u"Exception starting CAD (timeout)");
        }
        return;
    }

    if (!PumpAndGoOn()) {
        return;
    }
    ReadCADFormats();
    if (!PumpAndGoOn()) {
        return;
    }
    session_.choices.FillFormatsList();
    if (!PumpAndGoOn()) {
        return;
    }
    LoadSettings();

    mainWindow_.BringWindowsToFront();
    if (!PumpAndGoOn()) {
        return;
    }
    mainWindow_.UpdateExportButton();
}

bool TStartUpSequence::PumpAndGoOn() {
    session_.shell.Pump();
    return !CloseRequested();
}

std::u16string TStartUpSequence::DefaultDestination() {
    return FromAnsi(inputs_.myDocumentsFolder() + kDestinationBelowDocuments);
}

void TStartUpSequence::ReadBasketParameters() {
    try {
        qrv::ReadBasketParameters(inputs_.environment, session_.basket);
    } catch (const std::exception&) {
        // The basket keeps what was read before the error.
        session_.messages.ShowMessageBox(u"Exception reading env");
    }
}

void TStartUpSequence::LoadProgramTexts() {
    const std::u16string path = ProgramTextsDatabasePath(inputs_.programFile);
    if (!WideFileExists(path)) {
        session_.messages.ShowMessageBox(u"Error, file " + path + u" not found");
        return;
    }
    qrv::LoadProgramTexts(*session_.texts, path, session_.basket.FLanguage, SubDirCaptions());
}

void TStartUpSequence::ApplyProgramTexts() {
    qrv::ApplyProgramTexts(*session_.texts, mainWindow_, session_.keptTexts, SubDirCaptions());
    session_.keptTexts.run = LookupRunTexts(*session_.texts, session_.basket.FLanguage);
}

void TStartUpSequence::SetLibraryDirs() {
    // The destination is still the default here; the library gets the final one when a run
    // starts.
    const TCADFolders folders = mainWindow_.CADFolders();
    qrv::SetLibraryDirs(session_.library.LoadedLibrary(), folders.cadData, folders.cadSoftware,
                        mainWindow_.Destination(), session_.basket.FShopName);
}

void TStartUpSequence::ReadStartTimeout() {
    session_.FStartTimeout = qrv::ReadStartTimeout(session_.SettingsPath);
}

bool TStartUpSequence::StartCAD() {
    return qrv::StartCAD(
        session_.library.Library(), session_.shell, mainWindow_,
        [this] { return CloseRequested(); }, session_.FStartTimeout);
}

void TStartUpSequence::ReadCADFormats() {
    try {
        qrv::ReadCADFormats(session_.library.Library(), session_.choices.CADFormats(),
                            [this] { return PumpAndGoOn(); });
    } catch (const ETooManyCADFormats& error) {
        session_.messages.ReportError(error);
    } catch (const std::exception&) {
        // The formats read before the failure stay; nothing is reported.
    }
}

void TStartUpSequence::LoadSettings() {
    qrv::LoadSettings(session_.SettingsPath, session_.choices, session_.basket.FShopName,
                      [this] { return DefaultDestination(); });
}

} // namespace

void RunStartUpSequence(TProgramSession& session, TMainWindowView& mainWindow,
                        const TStartUpInputs& inputs) {
    TStartUpSequence(session, mainWindow, inputs).Run();
}

} // namespace qrv
