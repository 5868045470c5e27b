#include "app/start_up_sequence.h"

#include "app/basket_parameters.h"
#include "app/main_window_ids.h"
#include "app/settings_path.h"
#include "export/export_run.h"
#include "export/export_settings.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "settings/wide_file.h"

namespace qrv {

namespace {

// The destination until the saved one is restored, and when none is saved.
constexpr char kDestinationBelowDocuments[] = "\\Quellon\\CADFiles";

class TStartUpSequence {
public:
    TStartUpSequence(StartUpHost& host, const MainWindowData& data) : host_(host), data_(data) {}

    void Run();

private:
    // Pumps; false when a close request is pending, so that the start-up ends here.
    bool PumpAndGoOn();
    std::u16string DefaultDestination();
    void ReadBasketParameters(const EnvironmentSnapshot& environment);
    void LoadProgramTexts();
    void ApplyProgramTexts();
    void SetLibraryDirs();
    void ReadStartTimeout();
    bool StartCAD();
    void ReadCADFormats();
    void LoadSettings();

    StartUpHost& host_;
    const MainWindowData& data_;
};

void TStartUpSequence::Run() {
    host_.InstallRestoreProcedure();
    data_.texts = std::make_unique<TStringHash>();
    const EnvironmentSnapshot environment = host_.CaptureEnvironment();
    SettingsPath() = AddTrailingBackslash(FromAnsi(environment.Value("APPDATA"))) +
                     std::u16string(kSettingsFileRelativePath);

    data_.basket = BasketParameters{};
    host_.SetControlText(ids::ProgressLabel, u"");
    data_.choices.SubDirOrder() = kEnumerationOrder;
    host_.SetControlText(ids::BrowseDestination, DefaultDestination());
    host_.ShowMainWindow();

    ReadBasketParameters(environment);
    LoadProgramTexts();
    ApplyProgramTexts();
    host_.SetControlText(ids::BrowseCADData, data_.basket.CADDataDir);
    host_.SetControlText(ids::BrowseCADSoftware, data_.basket.CADENASDir + u"software\\");
    if (!PumpAndGoOn()) {
        return;
    }

    host_.LoadCADLibrary(data_.basket.CADLibDir);
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
        if (!host_.CloseRequested()) {
            host_.ShowMessageBox(u"Exception starting CAD (timeout)");
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

    host_.BringWindowsToFront();
    if (!PumpAndGoOn()) {
        return;
    }
    host_.UpdateExportButton();
}

bool TStartUpSequence::PumpAndGoOn() {
    host_.Pump();
    return !host_.CloseRequested();
}

std::u16string TStartUpSequence::DefaultDestination() {
    return FromAnsi(host_.MyDocumentsFolder() + kDestinationBelowDocuments);
}

void TStartUpSequence::ReadBasketParameters(const EnvironmentSnapshot& environment) {
    try {
        qrv::ReadBasketParameters(environment, data_.basket);
    } catch (const std::exception&) {
        // The basket keeps what was read before the error.
        host_.ShowMessageBox(u"Exception reading env");
    }
}

void TStartUpSequence::LoadProgramTexts() {
    const std::u16string path = ProgramTextsDatabasePath(host_.ProgramFile());
    if (!WideFileExists(path)) {
        host_.ShowMessageBox(u"Error, file " + path + u" not found");
        return;
    }
    qrv::LoadProgramTexts(*data_.texts, path, data_.basket.Language, SubDirCaptions());
}

void TStartUpSequence::ApplyProgramTexts() {
    qrv::ApplyProgramTexts(*data_.texts, host_, data_.keptTexts, SubDirCaptions());
}

void TStartUpSequence::SetLibraryDirs() {
    // The destination is still the default here; the library gets the final one when a run
    // starts.
    qrv::SetLibraryDirs(host_.LibraryLoaded() ? &host_.Library() : nullptr,
                        host_.ControlText(ids::BrowseCADData),
                        host_.ControlText(ids::BrowseCADSoftware),
                        host_.ControlText(ids::BrowseDestination), data_.basket.ShopName);
}

void TStartUpSequence::ReadStartTimeout() {
    data_.startTimeout = qrv::ReadStartTimeout(SettingsPath());
}

bool TStartUpSequence::StartCAD() {
    return qrv::StartCAD(host_.Library(), host_, data_.startTimeout);
}

void TStartUpSequence::ReadCADFormats() {
    try {
        qrv::ReadCADFormats(host_.Library(), data_.choices.CADFormats(),
                            [this] { return PumpAndGoOn(); });
    } catch (const ETooManyCADFormats& error) {
        host_.ReportError(error);
    } catch (const std::exception&) {
        // The formats read before the failure stay; nothing is reported.
    }
}

void TStartUpSequence::LoadSettings() {
    qrv::LoadSettings(SettingsPath(), data_.choices, data_.basket.ShopName,
                      [this] { return DefaultDestination(); });
}

} // namespace

void RunStartUpSequence(StartUpHost& host, const MainWindowData& data) {
    TStartUpSequence(host, data).Run();
}

} // namespace qrv
