// The program's start-up sequence: the main window's creation.
#include "app/main_window_ids.h"
#include "app/settings_path.h"
#include "app/win32/application_window.h"
#include "app/win32/documents_folder.h"
#include "app/win32/main_window.h"
#include "controls/win32/message_boxes.h"
#include "export/export_settings.h"
#include "platform/ansi.h"
#include "platform/environment.h"
#include "platform/paths.h"
#include "platform/win32/message_pump.h"

namespace qrv {

namespace {

std::u16string DefaultDestination() {
    return FromAnsi(GetMyDocumentsFolder() + "\\Quellon\\CADFiles");
}

} // namespace

void TfrmExport::FormCreate() {
    // From here on a second copy of the program brings this one to the front.
    RestoreMessage() = RegisterWindowMessageA(kRestoreMessageName);
    previousWndProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TfrmExport::RestoreWindowProc)));

    texts_ = std::make_unique<TStringHash>();
    const EnvironmentSnapshot environment = EnvironmentSnapshot::Capture();
    SettingsPath() = AddTrailingBackslash(FromAnsi(environment.Value("APPDATA"))) +
                     std::u16string(kSettingsFileRelativePath);

    basket_ = BasketParameters{};
    SetControlText(ids::ProgressLabel, u"");
    choices_.SubDirOrder() = kEnumerationOrder;
    SetControlText(ids::BrowseDestination, DefaultDestination());

    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());

    try {
        ReadBasketParameters(environment, basket_);
    } catch (const std::exception&) {
        ShowMessage(u"Exception reading env");
    }

    LoadProgramTexts();
    ApplyProgramTexts();

    SetControlText(ids::BrowseCADData, basket_.CADDataDir);
    SetControlText(ids::BrowseCADSoftware, basket_.CADENASDir + u"software\\");
    if (!PumpAndGoOn()) {
        return;
    }

    LoadCADLibrary();
    if (!PumpAndGoOn()) {
        return;
    }
    SetLibraryDirs(ControlText(ids::BrowseCADData), ControlText(ids::BrowseCADSoftware),
                   ControlText(ids::BrowseDestination), basket_.ShopName);
    if (!PumpAndGoOn()) {
        return;
    }
    ReadStartTimeout();

    if (!StartCAD()) {
        if (!CloseRequested()) {
            ShowMessage(u"Exception starting CAD (timeout)");
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
    choices_.FillFormatsList();
    if (!PumpAndGoOn()) {
        return;
    }
    LoadSettings();

    BringWindowsToFront();
    if (!PumpAndGoOn()) {
        return;
    }
    UpdateExportButton();
}

bool TfrmExport::PumpAndGoOn() {
    Pump();
    return !CloseRequested();
}

void TfrmExport::ReadStartTimeout() {
    startTimeout_ = qrv::ReadStartTimeout(SettingsPath());
}

void TfrmExport::ReadCADFormats() {
    try {
        qrv::ReadCADFormats(library_, choices_.CADFormats(), [this] { return PumpAndGoOn(); });
    } catch (const ETooManyCADFormats& error) {
        ShowGeneralErrorReport(error);
    } catch (const std::exception&) {
        // The formats read before the failure stay; nothing is reported.
    }
}

void TfrmExport::LoadSettings() {
    qrv::LoadSettings(SettingsPath(), choices_, basket_.ShopName, &DefaultDestination);
}

bool TfrmExport::StartCAD() {
    return qrv::StartCAD(library_, *this, startTimeout_);
}

void TfrmExport::ShowStartingPanel() {
    ShowWindow(Control(ids::pnlProgramControls), SW_HIDE);
    ShowWindow(Control(ids::pnlStartingPDataMgr), SW_SHOW);
}

void TfrmExport::ShowProgramControls() {
    ShowWindow(Control(ids::pnlProgramControls), SW_SHOW);
    ShowWindow(Control(ids::pnlStartingPDataMgr), SW_HIDE);
}

void TfrmExport::Pump() {
    PumpMessages();
}

void TfrmExport::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

double TfrmExport::NowInDays() {
    return static_cast<double>(GetTickCount64()) / 86400000.0;
}

void TfrmExport::RequestTerminate() {
    qrv::RequestTerminate();
}

} // namespace qrv
