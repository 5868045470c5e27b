// A small window for the driver's own tests: a button that opens a message box, an edit field,
// a check box, a list box, a check list and labels, plus a controlled exit code and an optional
// single-instance rule like the program's.
//
// Options: --title TEXT, --show-env NAME, --exit-code N (when the window is closed),
// --single-instance, --start-child (starts another copy titled "Child" through the driver, as
// a test would).

#include <windows.h>

#include <optional>
#include <string>

#include "controls/win32/check_list.h"
#include "controls/win32/reflection.h"
#include "driver/process.h"
#include "fixture_ids.h"

namespace qrv::fixture {

namespace {

struct Options {
    std::wstring title = kDefaultTitle;
    std::wstring shownVariable;
    int exitCode = 0;
    bool singleInstance = false;
    bool startChild = false;
};

// What the window procedure needs of the program: its options and windows.
struct FixtureState {
    Options options;
    UINT restoreMessage = 0;
    HWND main = nullptr;
    HWND progress = nullptr;
    WNDPROC fruitListProcedure = nullptr;
};

FixtureState& State() {
    static FixtureState state;
    return state;
}

Options ParseOptions() {
    Options options;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        const bool hasValue = i + 1 < count;
        if (argument == L"--title" && hasValue) {
            options.title = arguments[++i];
        } else if (argument == L"--show-env" && hasValue) {
            options.shownVariable = arguments[++i];
        } else if (argument == L"--exit-code" && hasValue) {
            options.exitCode = _wtoi(arguments[++i]);
        } else if (argument == L"--single-instance") {
            options.singleInstance = true;
        } else if (argument == L"--start-child") {
            options.startChild = true;
        }
    }
    LocalFree(arguments);
    return options;
}

HWND AddControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                int x, int y, int width, int height) {
    return CreateWindowExW(windowClass == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0, windowClass,
                           text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

std::wstring ControlText(int id) {
    wchar_t text[256] = L"";
    GetDlgItemTextW(State().main, id, text, 256);
    return text;
}

std::wstring EnvironmentReport() {
    wchar_t value[1024];
    const DWORD length =
        GetEnvironmentVariableW(State().options.shownVariable.c_str(), value, 1024);
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
        return State().options.shownVariable + L" is unset";
    }
    return State().options.shownVariable + L"=" + std::wstring(value, length < 1024 ? length : 0);
}

// The fruit list answers every other LB_GETTEXTLEN for its last entry with 1: what a reader sees
// when the entry grows between its own LB_GETTEXTLEN and LB_GETTEXT, for which Wine asks the
// length again to copy the text across. A reader still gets the whole text, and nothing more.
LRESULT CALLBACK FruitListProcedure(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
    static bool answerShort = false;
    if (message == LB_GETTEXTLEN && wparam == 3) {
        answerShort = !answerShort;
        if (answerShort) {
            return 1;
        }
    }
    return CallWindowProcW(State().fruitListProcedure, list, message, wparam, lparam);
}

void CreateControls(HWND window) {
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    AddControl(window, L"STATIC", L"Ready", 0, kStatusLabel, 10, 10, 300, 20);
    AddControl(window, L"STATIC", folder, SS_NOPREFIX, kFolderLabel, 10, 35, 460, 20);
    AddControl(window, L"STATIC",
               State().options.shownVariable.empty() ? L"" : EnvironmentReport().c_str(),
               SS_NOPREFIX, kEnvLabel, 10, 60, 460, 20);
    AddControl(window, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kNameEdit, 10, 90, 200, 24);
    AddControl(window, L"BUTTON", L"&Greet", BS_PUSHBUTTON | WS_TABSTOP, kGreetButton, 220, 90, 100,
               24);
    AddControl(window, L"BUTTON", L"&Quit", BS_PUSHBUTTON | WS_TABSTOP, kQuitButton, 330, 90, 100,
               24);
    AddControl(window, L"BUTTON", L"&Work", BS_PUSHBUTTON | WS_TABSTOP, kWorkButton, 330, 125, 100,
               24);
    AddControl(window, L"BUTTON", L"Lock the name", BS_AUTOCHECKBOX | WS_TABSTOP, kLockCheckBox, 10,
               125, 200, 24);
    HWND fruits = AddControl(window, L"LISTBOX", nullptr, WS_BORDER | WS_VSCROLL | LBS_NOTIFY,
                             kFruitList, 10, 160, 200, 100);
    for (const wchar_t* fruit : {L"Apple", L"Banana", L"Cherry", L"Dattel \u00FC\u20AC\u2713"}) {
        SendMessageW(fruits, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
    }
    State().fruitListProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(fruits, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FruitListProcedure)));
    // The program's own check list.
    TCheckList options =
        TCheckList::Create(GetModuleHandleW(nullptr), window, kOptionList, 230, 160, 200, 100,
                           static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    for (const char16_t* option : {u"First", u"Second", u"Third"}) {
        options.Add(option);
    }
    options.SetChecked(1, true);
    options.SetEnabled(2, false);
}

// Like a long run that keeps its windows alive: shows the progress window and handles messages
// until the window is closed, all inside the click handler.
void Work(HWND window) {
    if (!IsWindow(State().progress)) {
        return;
    }
    ShowWindow(State().progress, SW_SHOW);
    MSG message;
    while (IsWindow(State().progress) && IsWindowVisible(State().progress)) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    SetDlgItemTextW(window, kStatusLabel, L"Work done");
}

void Greet(HWND window) {
    const std::wstring text = L"Hello, " + ControlText(kNameEdit) + L"!";
    const int answer =
        MessageBoxW(window, text.c_str(), kGreetingCaption, MB_OKCANCEL | MB_ICONINFORMATION);
    SetDlgItemTextW(window, kStatusLabel, answer == IDOK ? L"Answer: OK" : L"Answer: Cancel");
}

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == State().restoreMessage && State().restoreMessage != 0) {
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
        }
        SetForegroundWindow(window);
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        State().main = window;
        CreateControls(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) == kGreetButton && HIWORD(wparam) == BN_CLICKED) {
            Greet(window);
        } else if (LOWORD(wparam) == kWorkButton && HIWORD(wparam) == BN_CLICKED) {
            Work(window);
        } else if (LOWORD(wparam) == kQuitButton && HIWORD(wparam) == BN_CLICKED) {
            State().options.exitCode = _wtoi(ControlText(kNameEdit).c_str());
            DestroyWindow(window);
        } else if (LOWORD(wparam) == kLockCheckBox && HIWORD(wparam) == BN_CLICKED) {
            const bool locked = IsDlgButtonChecked(window, kLockCheckBox) == BST_CHECKED;
            EnableWindow(GetDlgItem(window, kNameEdit), !locked);
        }
        return 0;
    case WM_DRAWITEM:
        return ReflectDrawItem(lparam);
    case WM_DESTROY:
        PostQuitMessage(State().options.exitCode);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void RegisterClasses(HINSTANCE instance) {
    WNDCLASSW mainClass{};
    mainClass.lpfnWndProc = &MainProcedure;
    mainClass.hInstance = instance;
    mainClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    mainClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    mainClass.lpszClassName = kMainClass;
    RegisterClassW(&mainClass);
    WNDCLASSW progressClass{};
    progressClass.lpfnWndProc = &DefWindowProcW;
    progressClass.hInstance = instance;
    progressClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    progressClass.lpszClassName = kProgressClass;
    RegisterClassW(&progressClass);
}

int Run(HINSTANCE instance) {
    State().options = ParseOptions();
    HANDLE mutex = nullptr;
    if (State().options.singleInstance) {
        mutex = CreateMutexW(nullptr, FALSE, kMutexName);
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            SendMessageW(HWND_BROADCAST, RegisterWindowMessageW(kRestoreMessageName), 0, 0);
            CloseHandle(mutex);
            return 0;
        }
        State().restoreMessage = RegisterWindowMessageW(kRestoreMessageName);
    }
    RegisterClasses(instance);
    State().progress = CreateWindowExW(0, kProgressClass, kProgressCaption, WS_OVERLAPPEDWINDOW,
                                       540, 40, 240, 120, nullptr, nullptr, instance, nullptr);
    HWND window = CreateWindowExW(0, kMainClass, State().options.title.c_str(), WS_OVERLAPPEDWINDOW,
                                  40, 40, 480, 320, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    std::optional<drive::Process> child;
    if (State().options.startChild) {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        child = drive::Process::Start({.program = self, .arguments = {L"--title", L"Child"}});
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (mutex) {
        CloseHandle(mutex);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

} // namespace qrv::fixture

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return qrv::fixture::Run(instance);
}
