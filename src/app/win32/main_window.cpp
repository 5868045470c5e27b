#include "app/win32/main_window.h"

#include "app/main_window_ids.h"
#include "app/path_helpers.h"
#include "app/win32/application_window.h"
#include "app/win32/documents_folder.h"
#include "app/win32/message_boxes.h"
#include "app/win32/panel.h"
#include "cadlib/win32/cad_basket.h"
#include "framework/win32/mouse_state_button.h"
#include "platform/ansi.h"
#include "platform/environment.h"
#include "platform/win32/message_pump.h"

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
    if (handle_ != nullptr) {
        DestroyWindow(handle_);
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

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &TfrmExport::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = ids::kMainWindowClass;
    RegisterClassExW(&windowClass);

    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, kMainStyle, FALSE, 0);
    handle_ = CreateWindowExW(0, ids::kMainWindowClass, L"DOVEravar", kMainStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                              owner, nullptr, instance, this);
    if (handle_ == nullptr) {
        throw std::runtime_error("The main window could not be created.");
    }
    ApplicationWindow().SetMainWindow(handle_);
    CreateControls();

    startUpRunning_ = true;
    struct EndOfStartUp {
        bool& running;
        ~EndOfStartUp() { running = false; }
    } endOfStartUp{startUpRunning_};
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

    auto add = [&](HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                   int y, int width, int height, int id, DWORD exStyle = 0) {
        const HWND control =
            CreateWindowExW(exStyle, className, text, WS_CHILD | style, x, y, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return control;
    };

    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                               instance_, nullptr);

    // Hidden fields outside the panels, kept for their texts.
    add(handle_, WC_EDITW, L"", 0, 0, 0, 100, 19, ids::BrowseCADData);
    add(handle_, WC_EDITW, L"", 0, 0, 0, 100, 19, ids::BrowseCADSoftware);
    add(handle_, WC_STATICW, L"~CadenasData", 0, 0, 0, 100, 13, ids::lblCadenasData);
    add(handle_, WC_STATICW, L"~CadenasSW", 0, 0, 0, 100, 13, ids::lblCadenasSW);

    add(handle_, ids::kPanelClass, L"~StartingPDataMgr", WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
        kClientWidth, kClientHeight, ids::pnlStartingPDataMgr);
    const HWND controls = add(handle_, ids::kPanelClass, L"", WS_CLIPCHILDREN, 0, 0, kClientWidth,
                              kClientHeight, ids::pnlProgramControls, WS_EX_CONTROLPARENT);

    constexpr DWORD visible = WS_VISIBLE;
    add(controls, WC_STATICW, L"~ExportDestination", visible, 16, 16, 300, 13,
        ids::lblExportDestination);
    add(controls, WC_EDITW, L"", visible | WS_TABSTOP | ES_AUTOHSCROLL, 16, 32, 609, 19,
        ids::BrowseDestination, WS_EX_CLIENTEDGE);
    add(controls, WC_BUTTONW, L"", visible | WS_TABSTOP | BS_PUSHBUTTON | BS_FLAT, 624, 31, 23, 22,
        ids::btnBrowse);
    add(controls, WC_STATICW, L"~ExportFormats", visible, 16, 72, 300, 13, ids::lblExportFormats);
    add(controls, WC_LISTBOXW, L"", visible | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, 16, 88, 305,
        297, ids::FormatsList, WS_EX_CLIENTEDGE);
    add(controls, WC_STATICW, L"~SubfolderOptions", visible | SS_NOTIFY, 344, 72, 280, 13,
        ids::lblSubfolderOptions);
    add(controls, WC_LISTBOXW, L"", visible | WS_TABSTOP | LBS_NOTIFY, 344, 88, 277, 209,
        ids::SubDirListBox, WS_EX_CLIENTEDGE);
    add(controls, WC_BUTTONW, L"+", visible | WS_TABSTOP | WS_DISABLED, 624, 88, 23, 22,
        ids::btnMoveUp);
    add(controls, WC_BUTTONW, L"-", visible | WS_TABSTOP | WS_DISABLED, 624, 120, 23, 22,
        ids::btnMoveDown);
    add(controls, WC_BUTTONW, L"~CreateZipFile",
        visible | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP, 352, 304, 305, 41,
        ids::cbCreateZip);
    add(controls, WC_STATICW, L"", visible, 344, 346, 300, 13, ids::ProgressLabel);
    add(controls, PROGRESS_CLASSW, L"", 0, 349, 374, 297, 17, ids::pgBar);
    add(controls, WC_STATICW, L"~CADWindowsWillOpen", visible | SS_NOTIFY, 16, 402, 500, 13,
        ids::lblWindowsWillPopUp);
    add(controls, kMouseStateButtonClass, L"~Export", visible | WS_TABSTOP | WS_DISABLED, 552, 424,
        kMouseStateButtonWidth, kMouseStateButtonHeight, ids::btnExport);
}

HWND TfrmExport::Control(int id) const {
    const HWND direct = GetDlgItem(handle_, id);
    return direct != nullptr ? direct
                             : GetDlgItem(GetDlgItem(handle_, ids::pnlProgramControls), id);
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

// --- start-up ----------------------------------------------------------------------------

void TfrmExport::FormCreate() {
    // From here on a second copy of the program brings this one to the front.
    RestoreMessage() = RegisterWindowMessageA(kRestoreMessageName);
    previousWndProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TfrmExport::RestoreWindowProc)));

    texts_ = std::make_unique<TStringHash>();
    const EnvironmentSnapshot environment = EnvironmentSnapshot::Capture();
    SettingsPath() = AddTrailingBackslash(FromAnsi(environment.Value("APPDATA"))) +
                     std::u16string(kSettingsFileRelativePath);

    basket_ = BasketParameters{};
    SetControlText(ids::ProgressLabel, u"");
    subDirOrder_ = {sdWKB, sdCADFormat, sdABC, sdBaureihe, sdPartNo};
    SetControlText(ids::BrowseDestination,
                   FromAnsi(GetMyDocumentsFolder() + "\\Quellon\\CADFiles"));

    ShowWindow(handle_, SW_SHOW);
    UpdateWindow(handle_);

    try {
        ReadBasketParameters(environment, basket_);
    } catch (const std::exception&) {
        ShowMessage(u"Exception reading env");
    }

    LoadProgramTexts();
    ApplyProgramTexts();

    SetControlText(ids::BrowseCADData, basket_.CADDataDir);
    SetControlText(ids::BrowseCADSoftware, basket_.CADENASDir + u"software\\");
    Pump();
    if (closeRequested_) {
        return;
    }

    LoadCADLibrary();
    Pump();
    SetLibraryDirs(ControlText(ids::BrowseCADData), ControlText(ids::BrowseCADSoftware),
                   ControlText(ids::BrowseDestination), basket_.ShopName);
    Pump();
    ReadStartTimeout();
    if (closeRequested_) {
        return;
    }

    if (!StartCAD()) {
        if (!closeRequested_) {
            ShowMessage(u"Exception starting CAD (timeout)");
        }
        return;
    }

    BringWindowsToFront();
    Pump();
}

bool TfrmExport::StartCAD() {
    return qrv::StartCAD(library_, *this, startTimeout_);
}

void TfrmExport::BringWindowsToFront() {
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(handle_);
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

// --- shutdown ----------------------------------------------------------------------------

bool TfrmExport::FormClose() {
    basket_ = BasketParameters{};
    texts_.reset();
    try {
        UnloadCADLibrary();
    } catch (...) {
        // Errors while releasing at shutdown are ignored: the program still ends.
    }
    return true;
}

void TfrmExport::FormDestroy() {
    if (previousWndProc_ != nullptr) {
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWndProc_));
        previousWndProc_ = nullptr;
    }
}

void TfrmExport::HandleCloseRequest() {
    if (startUpRunning_) {
        // The start-up may still call the library: close once it has ended.
        closeRequested_ = true;
        return;
    }
    bool closed = false;
    RunHandler([&] { closed = FormClose(); });
    if (closed) {
        DestroyWindow(handle_);
    }
}

void TfrmExport::CloseIfRequestedDuringStartUp() {
    if (closeRequested_ && handle_ != nullptr) {
        closeRequested_ = false;
        PostMessageW(handle_, WM_CLOSE, 0, 0);
    }
}

void TfrmExport::ShutdownIfStillOpen() {
    if (handle_ != nullptr) {
        HandleCloseRequest();
    }
}

// --- window procedures -------------------------------------------------------------------

LRESULT CALLBACK TfrmExport::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TfrmExport*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || (self->handle_ != nullptr && self->handle_ != window)) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (self->handle_ == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT CALLBACK TfrmExport::RestoreWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* self = reinterpret_cast<TfrmExport*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == RestoreMessage() && message != 0) {
        const HWND application = ApplicationWindow().Handle();
        SendMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
        SetForegroundWindow(application);
        return 0;
    }
    return CallWindowProcW(self->previousWndProc_, window, message, wParam, lParam);
}

LRESULT TfrmExport::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        HandleCloseRequest();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        handle_ = nullptr;
        PostQuitMessage(0);
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
    return DefWindowProcW(handle_, message, wParam, lParam);
}

} // namespace qrv
