#include "app/win32/main_window.h"

#include "cadlib/win32/cad_basket.h"

#include "app/main_window_ids.h"
#include "app/win32/application_window.h"
#include "app/win32/message_boxes.h"
#include "app/win32/panel.h"
#include "controls/check_list_messages.h"
#include "export/win32/browse_button.h"
#include "framework/win32/mouse_state_button.h"
#include "platform/scope_exit.h"

#include <commctrl.h>

namespace qrv {

namespace {

constexpr int kClientWidth = 664;
constexpr int kClientHeight = 467;
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

} // namespace

UINT& RestoreMessage() {
    static UINT message = 0;
    return message;
}

HMODULE& CADLibraryHandle() {
    static HMODULE handle = nullptr;
    return handle;
}

TfrmExport::~TfrmExport() {
    if (Handle() != nullptr) {
        DestroyWindow(Handle());
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

// --- creation ----------------------------------------------------------------------------

void TfrmExport::Create(HINSTANCE instance, HWND owner) {
    instance_ = instance;
    RegisterPanelClass(instance);
    RegisterMouseStateButtonClass(instance);

    const SIZE outer = OuterSize(kClientWidth, kClientHeight, kMainStyle, 0);
    CreateWindowOf(instance,
                   {.name = ids::kMainWindowClass,
                    .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                    .icon = LoadIconW(instance, MAKEINTRESOURCEW(1))},
                   0, L"DOVEravar", kMainStyle, {CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy},
                   owner);
    ApplicationWindow().SetMainWindow(Handle());
    CreateControls();

    // A close request that comes while the start-up runs is carried out once it has ended.
    const TCloseGate::TWork startUp(closeGate_);
    try {
        FormCreate();
    } catch (const ECADLibraryLoadError&) {
        throw;
    } catch (const std::exception& error) {
        ShowGeneralErrorReport(error);
    }
}

void TfrmExport::CreateControls() {
    font_ = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");

    auto setFont = [&](HWND control) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return control;
    };
    auto add = [&](HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                   int y, int width, int height, int id, DWORD exStyle = 0) {
        return setFont(
            CreateWindowExW(exStyle, className, text, WS_CHILD | style, x, y, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr));
    };

    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               instance_, nullptr);

    // Hidden fields outside the panels, kept for their texts.
    add(Handle(), WC_EDITW, L"", ES_AUTOHSCROLL, 0, 0, 100, 19, ids::BrowseCADData);
    add(Handle(), WC_EDITW, L"", ES_AUTOHSCROLL, 0, 0, 100, 19, ids::BrowseCADSoftware);
    add(Handle(), WC_STATICW, L"~CadenasData", 0, 0, 0, 100, 13, ids::lblCadenasData);
    add(Handle(), WC_STATICW, L"~CadenasSW", 0, 0, 0, 100, 13, ids::lblCadenasSW);

    add(Handle(), ids::kPanelClass, L"~StartingPDataMgr", WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
        kClientWidth, kClientHeight, ids::pnlStartingPDataMgr);
    const HWND controls = add(Handle(), ids::kPanelClass, L"", WS_CLIPCHILDREN, 0, 0, kClientWidth,
                              kClientHeight, ids::pnlProgramControls, WS_EX_CONTROLPARENT);

    constexpr DWORD visible = WS_VISIBLE;
    add(controls, WC_STATICW, L"~ExportDestination", visible, 16, 16, 300, 13,
        ids::lblExportDestination);
    add(controls, WC_EDITW, L"", visible | WS_TABSTOP | ES_AUTOHSCROLL, 16, 32, 609, 19,
        ids::BrowseDestination, WS_EX_CLIENTEDGE);
    setFont(CreateBrowseButton(instance_, controls, ids::btnBrowse, 624, 31, 23, 22));
    add(controls, WC_STATICW, L"~ExportFormats", visible, 16, 72, 300, 13, ids::lblExportFormats);
    formatsList_ =
        TCheckList::Create(instance_, controls, ids::FormatsList, 16, 88, 305, 297, font_);
    add(controls, WC_STATICW, L"~SubfolderOptions", visible | SS_NOTIFY, 344, 72, 280, 13,
        ids::lblSubfolderOptions);
    subDirListBox_ =
        TCheckList::Create(instance_, controls, ids::SubDirListBox, 344, 88, 277, 209, font_);
    add(controls, WC_BUTTONW, L"+", visible | WS_TABSTOP | WS_DISABLED, 624, 88, 23, 22,
        ids::btnMoveUp);
    add(controls, WC_BUTTONW, L"-", visible | WS_TABSTOP | WS_DISABLED, 624, 120, 23, 22,
        ids::btnMoveDown);
    add(controls, WC_BUTTONW, L"~CreateZipFile",
        visible | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP, 352, 304, 305, 41,
        ids::cbCreateZip);
    add(controls, WC_STATICW, L"", visible | SS_NOTIFY, 344, 346, 300, 13, ids::ProgressLabel);
    add(controls, PROGRESS_CLASSW, L"", 0, 349, 374, 297, 17, ids::pgBar);
    add(controls, WC_STATICW, L"~CADWindowsWillOpen", visible | SS_NOTIFY, 16, 402, 500, 13,
        ids::lblWindowsWillPopUp);
    add(controls, kMouseStateButtonClass, L"~Export", visible | WS_TABSTOP | WS_DISABLED, 552, 424,
        kMouseStateButtonWidth, kMouseStateButtonHeight, ids::btnExport);
}

HWND TfrmExport::Control(int id) const {
    const HWND direct = GetDlgItem(Handle(), id);
    return direct != nullptr ? direct
                             : GetDlgItem(GetDlgItem(Handle(), ids::pnlProgramControls), id);
}

std::u16string TfrmExport::ControlText(int id) const {
    const HWND control = Control(id);
    const int length = GetWindowTextLengthW(control);
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(control, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

void TfrmExport::SetControlText(int id, const std::u16string& text) {
    SetWindowTextW(Control(id), Wide(text));
}

// --- closing -----------------------------------------------------------------------------

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

void TfrmExport::ShutdownIfStillOpen() {
    if (Handle() != nullptr) {
        HandleCloseRequest();
    }
}

// --- window procedures -------------------------------------------------------------------

LRESULT CALLBACK TfrmExport::RestoreWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == RestoreMessage() && message != 0) {
        const HWND application = ApplicationWindow().Handle();
        SendMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
        SetForegroundWindow(application);
        return 0;
    }
    auto* base = reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const WNDPROC previous = base != nullptr ? static_cast<TfrmExport*>(base)->previousWndProc_
                                             : &TWindowBase::Procedure;
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

void TfrmExport::HandleCommand(int id, int code) {
    switch (id) {
    case ids::BrowseDestination:
        if (code == EN_CHANGE) {
            BrowseDestinationChange();
        }
        break;
    case ids::FormatsList:
        if (code == check_list::kCheckChanged) {
            BrowseDestinationChange();
        }
        break;
    case ids::SubDirListBox:
        if (code == check_list::kMouseUp) {
            SubDirListBoxMouseUp();
        }
        break;
    case ids::btnMoveUp:
        if (code == BN_CLICKED) {
            btnMoveUpClick();
        }
        break;
    case ids::btnMoveDown:
        if (code == BN_CLICKED) {
            btnMoveDownClick();
        }
        break;
    case ids::btnBrowse:
        if (code == BN_CLICKED) {
            btnBrowseClick();
        }
        break;
    case ids::btnExport:
        if (code == BN_CLICKED) {
            btnExportClick();
        }
        break;
    case ids::ProgressLabel:
    case ids::lblWindowsWillPopUp:
        if (code == STN_DBLCLK) {
            ProgressLabelDblClick();
        }
        break;
    default:
        break;
    }
}

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
        HandleCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
            ShowHint(reinterpret_cast<NMTTDISPINFOW*>(lParam));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    default:
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

} // namespace qrv
