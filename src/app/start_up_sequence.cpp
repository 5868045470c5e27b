#include "app/start_up_sequence.h"

#include "app/basket_parameters.h"
#include "app/main_window_ids.h"
#include "app/settings_path.h"
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

class TStartUpSequence final : private CadStartHost {
public:
    TStartUpSequence(const StartUpRoles& roles, const MainWindowData& data,
                     const StartUpInputs& inputs)
        : roles_(roles), data_(data), inputs_(inputs) {}

    void Run();

private:
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

    // The CAD start's share of the roles.
    void ShowStartingPanel() override { roles_.window.ShowStartingPanel(); }
    void ShowProgramControls() override { roles_.window.ShowProgramControls(); }
    void Pump() override { roles_.shell.Pump(); }
    void Sleep(int milliseconds) override { roles_.shell.Sleep(milliseconds); }
    double NowInDays() override { return roles_.shell.NowInDays(); }
    void RequestTerminate() override { roles_.shell.RequestTerminate(); }
    bool CloseRequested() override { return roles_.closeGate.ClosePending(); }

    const StartUpRoles& roles_;
    const MainWindowData& data_;
    const StartUpInputs& inputs_;
};

void TStartUpSequence::Run() {
    roles_.window.InstallRestoreProcedure();
    data_.texts = std::make_unique<TStringHash>();
    SettingsPath() = AddTrailingBackslash(FromAnsi(inputs_.environment.Value("APPDATA"))) +
                     std::u16string(kSettingsFileRelativePath);

    data_.basket = BasketParameters{};
    roles_.window.SetControlText(ids::ProgressLabel, u"");
    data_.choices.SubDirOrder() = kEnumerationOrder;
    roles_.window.SetControlText(ids::BrowseDestination, DefaultDestination());
    roles_.window.ShowMainWindow();

    ReadBasketParameters();
    LoadProgramTexts();
    ApplyProgramTexts();
    roles_.window.SetControlText(ids::BrowseCADData, data_.basket.FCADDataDir);
    roles_.window.SetControlText(ids::BrowseCADSoftware, data_.basket.FCADENASDir + u"software\\");
    if (!PumpAndGoOn()) {
        return;
    }

    roles_.library.LoadCADLibrary(data_.basket.FCADLibDir);
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
            roles_.messages.ShowMessageBox(u"Exception starting CAD (timeout)");
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
    data_.choices.FillFormatsList();
    if (!PumpAndGoOn()) {
        return;
    }
    LoadSettings();

    roles_.shell.BringWindowsToFront();
    if (!PumpAndGoOn()) {
        return;
    }
    roles_.window.UpdateExportButton();
}

bool TStartUpSequence::PumpAndGoOn() {
    Pump();
    return !CloseRequested();
}

std::u16string TStartUpSequence::DefaultDestination() {
    return FromAnsi(roles_.shell.MyDocumentsFolder() + kDestinationBelowDocuments);
}

void TStartUpSequence::ReadBasketParameters() {
    try {
        qrv::ReadBasketParameters(inputs_.environment, data_.basket);
    } catch (const std::exception&) {
        // The basket keeps what was read before the error.
        roles_.messages.ShowMessageBox(u"Exception reading env");
    }
}

void TStartUpSequence::LoadProgramTexts() {
    const std::u16string path = ProgramTextsDatabasePath(inputs_.programFile);
    if (!WideFileExists(path)) {
        roles_.messages.ShowMessageBox(u"Error, file " + path + u" not found");
        return;
    }
    qrv::LoadProgramTexts(*data_.texts, path, data_.basket.FLanguage, SubDirCaptions());
}

void TStartUpSequence::ApplyProgramTexts() {
    qrv::ApplyProgramTexts(*data_.texts, roles_.texts, data_.keptTexts, SubDirCaptions());
    data_.keptTexts.run = LookupRunTexts(*data_.texts, data_.basket.FLanguage);
}

void TStartUpSequence::SetLibraryDirs() {
    // The destination is still the default here; the library gets the final one when a run
    // starts.
    qrv::SetLibraryDirs(roles_.library.LoadedLibrary(),
                        roles_.window.ControlText(ids::BrowseCADData),
                        roles_.window.ControlText(ids::BrowseCADSoftware),
                        roles_.window.ControlText(ids::BrowseDestination), data_.basket.FShopName);
}

void TStartUpSequence::ReadStartTimeout() {
    data_.startTimeout = qrv::ReadStartTimeout(SettingsPath());
}

bool TStartUpSequence::StartCAD() {
    return qrv::StartCAD(roles_.library.Library(), *this, data_.startTimeout);
}

void TStartUpSequence::ReadCADFormats() {
    try {
        qrv::ReadCADFormats(roles_.library.Library(), data_.choices.CADFormats(),
                            [this] { return PumpAndGoOn(); });
    } catch (const ETooManyCADFormats& error) {
        roles_.messages.ReportError(error);
    } catch (const std::exception&) {
        // The formats read before the failure stay; nothing is reported.
    }
}

void TStartUpSequence::LoadSettings() {
    qrv::LoadSettings(SettingsPath(), data_.choices, data_.basket.FShopName,
                      [this] { return DefaultDestination(); });
}

} // namespace

void RunStartUpSequence(const StartUpRoles& roles, const MainWindowData& data,
                        const StartUpInputs& inputs) {
    TStartUpSequence(roles, data, inputs).Run();
}

} // namespace qrv
