#include "app/win32/main_window.h"

#include "app/main_window_ids.h"
#include "app/main_window_layout.h"
#include "app/shutdown_sequence.h"
#include "app/start_up_sequence.h"
#include "app/win32/documents_folder.h"
#include "cadlib/win32/cad_basket.h"
#include "controls/check_list_messages.h"
#include "controls/win32/browse_button.h"
#include "controls/win32/label.h"
#include "controls/win32/panel.h"
#include "framework/win32/mouse_state_button.h"
#include "platform/scope_exit.h"
#include "platform/win32/module_path.h"
#include "platform/win32/window_text.h"

namespace qrv {

namespace {

constexpr TControlSpec OnPanel(TControlSpec control) {
    control.parent = ids::pnlProgramControls;
    return control;
}

constexpr DWORD kVisible = WS_VISIBLE;
constexpr DWORD kTabStop = WS_VISIBLE | WS_TABSTOP;

// The hidden fields outside the panels, kept for their texts; the two panels; the controls on
// the program controls' panel.
constexpr TControlSpec kMainWindowControls[] = {
    {ids::BrowseCADData, WC_EDITW, L"", ES_AUTOHSCROLL},
    {ids::BrowseCADSoftware, WC_EDITW, L"", ES_AUTOHSCROLL},
    {ids::lblCadenasData, kLabelClass, L"~CadenasData", 0},
    {ids::lblCadenasSW, kLabelClass, L"~CadenasSW", 0},
    {ids::pnlStartingPDataMgr, kPanelClass, L"~StartingPDataMgr", kVisible | WS_CLIPCHILDREN},
    {ids::pnlProgramControls, kPanelClass, L"", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT},
    OnPanel({ids::lblExportDestination, kLabelClass, L"~ExportDestination", kVisible}),
    OnPanel({ids::BrowseDestination, WC_EDITW, L"", kTabStop | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE}),
    OnPanel({ids::btnBrowse, kBrowseButtonClass, L"", kBrowseButtonStyle}),
    OnPanel({ids::lblExportFormats, kLabelClass, L"~ExportFormats", kVisible}),
    OnPanel({ids::FormatsList, kCheckListClass, nullptr, kCheckListStyle, kCheckListExStyle}),
    OnPanel({ids::lblSubfolderOptions, kLabelClass, L"~SubfolderOptions", kVisible | SS_NOTIFY}),
    OnPanel({ids::SubDirListBox, kCheckListClass, nullptr, kCheckListStyle, kCheckListExStyle}),
    OnPanel({ids::btnMoveUp, WC_BUTTONW, L"+", kTabStop | WS_DISABLED}),
    OnPanel({ids::btnMoveDown, WC_BUTTONW, L"-", kTabStop | WS_DISABLED}),
    OnPanel({ids::cbCreateZip, WC_BUTTONW, L"~CreateZipFile",
             kTabStop | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP}),
    OnPanel({ids::ProgressLabel, kLabelClass, L"", kVisible | SS_NOTIFY}),
    OnPanel({ids::pgBar, PROGRESS_CLASSW, L"", 0}),
    OnPanel({ids::lblWindowsWillPopUp, kLabelClass, L"~CADWindowsWillOpen", kVisible | SS_NOTIFY}),
    OnPanel({ids::btnExport, kMouseStateButtonClass, L"~Export", kTabStop | WS_DISABLED}),
};

constexpr TFormDesign kMainWindowDesign = {
    .className = ids::kMainWindowClass,
    .caption = L"DOVEravar",
    .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
    .width = kMainClientWidth,
    .height = kMainClientHeight,
    .iconResource = 1,
    .layout = kMainWindowLayout,
    .controls = kMainWindowControls,
};

} // namespace

UINT& RestoreMessage() {
    static UINT message = 0;
    return message;
}

const TCommandHandler<TfrmExport> TfrmExport::kCommands[] = {
    {ids::BrowseDestination, EN_CHANGE, &TfrmExport::BrowseDestinationChange},
    {ids::FormatsList, check_list::kCheckChanged, &TfrmExport::BrowseDestinationChange},
    {ids::SubDirListBox, check_list::kMouseUp, &TfrmExport::SubDirListBoxMouseUp},
    {ids::SubDirListBox, check_list::kMoveUpAsked, &TfrmExport::btnMoveUpClick},
    {ids::SubDirListBox, check_list::kMoveDownAsked, &TfrmExport::btnMoveDownClick},
    {ids::btnMoveUp, BN_CLICKED, &TfrmExport::btnMoveUpClick},
    {ids::btnMoveDown, BN_CLICKED, &TfrmExport::btnMoveDownClick},
    {ids::btnBrowse, BN_CLICKED, &TfrmExport::btnBrowseClick},
    {ids::btnExport, BN_CLICKED, &TfrmExport::btnExportClick},
    {ids::ProgressLabel, STN_DBLCLK, &TfrmExport::ProgressLabelDblClick},
    {ids::lblWindowsWillPopUp, STN_DBLCLK, &TfrmExport::ProgressLabelDblClick},
};

TfrmExport::TfrmExport(TApplicationWindow& application)
    : TForm(kMainWindowDesign), application_(application) {}

// --- the life cycle ----------------------------------------------------------------------

void TfrmExport::Create(HINSTANCE instance, TProgramSession& session) {
    session_ = &session;
    RegisterPanelClass(instance);
    RegisterLabelClass(instance);
    RegisterBrowseButtonClass(instance);
    RegisterCheckListClass(instance);
    RegisterMouseStateButtonClass(instance);
    CreateForm(instance, application_.Handle());
    application_.SetMainWindow(Handle());
    formatsList_ = TCheckList(Control(ids::FormatsList));
    subDirListBox_ = TCheckList(Control(ids::SubDirListBox));
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               instance, nullptr);

    // A close request that comes while the start-up runs is carried out once it has ended.
    const TCloseGate::TWork startUp(session_->closeGate);
    try {
        FormCreate();
    } catch (const ECADLibraryLoadError&) {
        throw;
    } catch (const std::exception& error) {
        session_->messages.ReportError(error);
    }
}

void TfrmExport::FormCreate() {
    RunStartUpSequence(
        *session_, *this,
        {TEnvironmentSnapshot::Capture(), ModulePath(nullptr), &GetMyDocumentsFolder});
}

void TfrmExport::HandleCloseRequest() {
    if (!session_->closeGate.RequestClose()) {
        return; // deferred while work runs, or the shutdown runs already
    }
    // The program ends even when the shutdown fails half-way.
    TScopeExit destroy([this] {
        session_->closeGate.Closed();
        DestroyWindow(Handle());
    });
    FormClose();
}

void TfrmExport::FormClose() {
    RunShutdown(*session_);
}

void TfrmExport::FormDestroy() {
    if (FPreviousWndProc != nullptr) {
        SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPreviousWndProc));
        FPreviousWndProc = nullptr;
    }
}

void TfrmExport::ShutdownIfStillOpen() {
    if (Handle() != nullptr) {
        HandleCloseRequest();
    }
}

void TfrmExport::InstallRestoreProcedure() {
    RestoreMessage() = RegisterWindowMessageA(kRestoreMessageName);
    FPreviousWndProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TfrmExport::RestoreWindowProc)));
}

LRESULT CALLBACK TfrmExport::RestoreWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == RestoreMessage() && message != 0) {
        // The main window is owned by the application window.
        const HWND application = GetWindow(window, GW_OWNER);
        SendMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
        SetForegroundWindow(application);
        return 0;
    }
    auto* base = reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const WNDPROC previous = base != nullptr ? static_cast<TfrmExport*>(base)->FPreviousWndProc
                                             : &TWindowBase::Procedure;
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

// --- messages ----------------------------------------------------------------------------

void TfrmExport::OnCommand(int control, unsigned notification) {
    DispatchCommand(*this, kCommands, control, notification);
}

void TfrmExport::OnClose() {
    HandleCloseRequest();
}

LRESULT TfrmExport::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
            ShowHint(reinterpret_cast<NMTTDISPINFOW*>(lParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return TForm::OnMessage(message, wParam, lParam);
}

// --- the start-up's steps on the window --------------------------------------------------

void TfrmExport::ShowMainWindow() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TfrmExport::ShowStartingPanel() {
    ShowWindow(Control(ids::pnlProgramControls), SW_HIDE);
    ShowWindow(Control(ids::pnlStartingPDataMgr), SW_SHOW);
}

void TfrmExport::ShowProgramControls() {
    ShowWindow(Control(ids::pnlProgramControls), SW_SHOW);
    ShowWindow(Control(ids::pnlStartingPDataMgr), SW_HIDE);
}

TCADFolders TfrmExport::CADFolders() const {
    return {WindowText(Control(ids::BrowseCADData)), WindowText(Control(ids::BrowseCADSoftware))};
}

void TfrmExport::SetCADFolders(const TCADFolders& folders) {
    SetWindowTextOf(Control(ids::BrowseCADData), folders.cadData);
    SetWindowTextOf(Control(ids::BrowseCADSoftware), folders.cadSoftware);
}

void TfrmExport::PostClose() {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

} // namespace qrv
