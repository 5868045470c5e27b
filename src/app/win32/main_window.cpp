#include "app/win32/main_window.h"

#include "app/main_window_ids.h"
#include "app/main_window_layout.h"
#include "app/shutdown_sequence.h"
#include "controls/check_list_messages.h"
#include "controls/win32/browse_button.h"
#include "controls/win32/panel.h"
#include "controls/win32/window_dpi.h"
#include "controls/win32/window_font.h"
#include "framework/win32/mouse_state_button.h"
#include "platform/scope_exit.h"
#include "platform/win32/module_path.h"
#include "platform/win32/window_text.h"

#include <commctrl.h>

namespace qrv {

namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

SIZE MainWindowSize(unsigned dpi) {
    return OuterSizeForDpi(ScaleToDpi(kMainClientWidth, dpi), ScaleToDpi(kMainClientHeight, dpi),
                           kMainStyle, 0, dpi);
}

} // namespace

UINT& RestoreMessage() {
    static UINT message = 0;
    return message;
}

const TCommandHandler<TfrmExport> TfrmExport::kCommands[] = {
    {ids::BrowseDestination, EN_CHANGE, &TfrmExport::BrowseDestinationChange},
    {ids::FormatsList, check_list::kCheckChanged, &TfrmExport::BrowseDestinationChange},
    {ids::SubDirListBox, check_list::kMouseUp, &TfrmExport::SubDirListBoxMouseUp},
    {ids::btnMoveUp, BN_CLICKED, &TfrmExport::btnMoveUpClick},
    {ids::btnMoveDown, BN_CLICKED, &TfrmExport::btnMoveDownClick},
    {ids::btnBrowse, BN_CLICKED, &TfrmExport::btnBrowseClick},
    {ids::btnExport, BN_CLICKED, &TfrmExport::btnExportClick},
    {ids::ProgressLabel, STN_DBLCLK, &TfrmExport::ProgressLabelDblClick},
    {ids::lblWindowsWillPopUp, STN_DBLCLK, &TfrmExport::ProgressLabelDblClick},
};

TfrmExport::~TfrmExport() {
    // The window goes before the font it draws with.
    if (Handle() != nullptr) {
        DestroyWindow(Handle());
    }
}

// --- creation ----------------------------------------------------------------------------

void TfrmExport::Create(HINSTANCE instance) {
    instance_ = instance;
    RegisterPanelClass(instance);
    RegisterMouseStateButtonClass(instance);

    // The screen's DPI until the window exists; then the window's own, which per monitor may
    // differ.
    const unsigned screenDpi = SystemDpiOf(nullptr);
    const SIZE outer = MainWindowSize(screenDpi);
    CreateWindowOf(instance,
                   {.name = ids::kMainWindowClass,
                    .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                    .icon = LoadIconW(instance, MAKEINTRESOURCEW(1))},
                   0, L"DOVEravar", kMainStyle, {CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy},
                   application_.Handle());
    TakeOwnDpi(Handle(), screenDpi, &MainWindowSize);
    application_.SetMainWindow(Handle());
    CreateControls();

    // A close request that comes while the start-up runs is carried out once it has ended.
    const TCloseGate::TWork startUp(closeGate_);
    try {
        FormCreate();
    } catch (const ECADLibraryLoadError&) {
        throw;
    } catch (const std::exception& error) {
        shell_.ReportError(error);
    }
}

void TfrmExport::CreateControls() {
    const unsigned dpi = WindowDpi(Handle());
    font_ = CreateWindowFont(dpi);

    auto setFont = [&](HWND control) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return control;
    };
    auto place = [&](int id) { return ScaleToDpi(PlaceOf(kMainWindowLayout, id), dpi); };
    auto add = [&](HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                   DWORD exStyle = 0) {
        const TDesignRect at = place(id);
        return setFont(CreateWindowExW(
            exStyle, className, text, WS_CHILD | style, at.x, at.y, at.width, at.height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr));
    };

    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               instance_, nullptr);

    // Hidden fields outside the panels, kept for their texts.
    add(Handle(), WC_EDITW, L"", ES_AUTOHSCROLL, ids::BrowseCADData);
    add(Handle(), WC_EDITW, L"", ES_AUTOHSCROLL, ids::BrowseCADSoftware);
    add(Handle(), WC_STATICW, L"~CadenasData", 0, ids::lblCadenasData);
    add(Handle(), WC_STATICW, L"~CadenasSW", 0, ids::lblCadenasSW);

    add(Handle(), kPanelClass, L"~StartingPDataMgr", WS_VISIBLE | WS_CLIPCHILDREN,
        ids::pnlStartingPDataMgr);
    const HWND controls = add(Handle(), kPanelClass, L"", WS_CLIPCHILDREN, ids::pnlProgramControls,
                              WS_EX_CONTROLPARENT);

    constexpr DWORD visible = WS_VISIBLE;
    add(controls, WC_STATICW, L"~ExportDestination", visible, ids::lblExportDestination);
    add(controls, WC_EDITW, L"", visible | WS_TABSTOP | ES_AUTOHSCROLL, ids::BrowseDestination,
        WS_EX_CLIENTEDGE);
    const TDesignRect browse = place(ids::btnBrowse);
    setFont(CreateBrowseButton(instance_, controls, ids::btnBrowse, browse.x, browse.y,
                               browse.width, browse.height));
    add(controls, WC_STATICW, L"~ExportFormats", visible, ids::lblExportFormats);
    const TDesignRect formats = place(ids::FormatsList);
    formatsList_ = TCheckList::Create(instance_, controls, ids::FormatsList, formats.x, formats.y,
                                      formats.width, formats.height, font_.get());
    add(controls, WC_STATICW, L"~SubfolderOptions", visible | SS_NOTIFY, ids::lblSubfolderOptions);
    const TDesignRect subDirs = place(ids::SubDirListBox);
    subDirListBox_ = TCheckList::Create(instance_, controls, ids::SubDirListBox, subDirs.x,
                                        subDirs.y, subDirs.width, subDirs.height, font_.get());
    add(controls, WC_BUTTONW, L"+", visible | WS_TABSTOP | WS_DISABLED, ids::btnMoveUp);
    add(controls, WC_BUTTONW, L"-", visible | WS_TABSTOP | WS_DISABLED, ids::btnMoveDown);
    add(controls, WC_BUTTONW, L"~CreateZipFile",
        visible | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP, ids::cbCreateZip);
    add(controls, WC_STATICW, L"", visible | SS_NOTIFY, ids::ProgressLabel);
    add(controls, PROGRESS_CLASSW, L"", 0, ids::pgBar);
    add(controls, WC_STATICW, L"~CADWindowsWillOpen", visible | SS_NOTIFY,
        ids::lblWindowsWillPopUp);
    add(controls, kMouseStateButtonClass, L"~Export", visible | WS_TABSTOP | WS_DISABLED,
        ids::btnExport);
}

void TfrmExport::DpiChanged(WPARAM wParam, LPARAM suggestedRect) {
    // The controls are moved, not made again: what they show stays.
    font_ = TakeNewDpi(Handle(), wParam, suggestedRect);
    PlaceAllAtDpi(kMainWindowLayout, WindowDpi(Handle()), [this](int id) { return Control(id); });
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND TfrmExport::Control(int id) const {
    const HWND direct = GetDlgItem(Handle(), id);
    return direct != nullptr ? direct
                             : GetDlgItem(GetDlgItem(Handle(), ids::pnlProgramControls), id);
}

// --- the life cycle ----------------------------------------------------------------------

void TfrmExport::FormCreate() {
    RunStartUpSequence({*this, *this, library_, shell_, shell_, closeGate_}, WindowData(),
                       {EnvironmentSnapshot::Capture(), ModulePath(nullptr)});
}

MainWindowData TfrmExport::WindowData() {
    return {texts_, keptTexts_, basket_, choices_, FStartTimeout};
}

void TfrmExport::HandleCloseRequest() {
    if (!closeGate_.RequestClose()) {
        return; // deferred while work runs, or the shutdown runs already
    }
    // The program ends even when the shutdown fails half-way.
    TScopeExit destroy([this] {
        closeGate_.Closed();
        DestroyWindow(Handle());
    });
    FormClose();
}

void TfrmExport::FormClose() {
    RunShutdown(shell_, library_, WindowData());
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

// --- window procedures -------------------------------------------------------------------

LRESULT TfrmExport::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        HandleCloseRequest();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        DispatchCommand(*this, kCommands, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DPICHANGED:
        DpiChanged(wParam, lParam);
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
    return DefaultHandling(message, wParam, lParam);
}

// --- the start-up's steps on the window --------------------------------------------------

std::u16string TfrmExport::ControlText(int id) const {
    return WindowText(Control(id));
}

void TfrmExport::SetControlText(int id, const std::u16string& text) {
    SetWindowTextOf(Control(id), text);
}

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

} // namespace qrv
