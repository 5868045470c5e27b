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
    std::wstring shown_variable;
    int exit_code = 0;
    bool single_instance = false;
    bool start_child = false;
};

Options g_options;
UINT g_restore_message = 0;
HWND g_main = nullptr;
HWND g_progress = nullptr;

Options ParseOptions() {
    Options options;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        const bool has_value = i + 1 < count;
        if (argument == L"--title" && has_value) {
            options.title = arguments[++i];
        } else if (argument == L"--show-env" && has_value) {
            options.shown_variable = arguments[++i];
        } else if (argument == L"--exit-code" && has_value) {
            options.exit_code = _wtoi(arguments[++i]);
        } else if (argument == L"--single-instance") {
            options.single_instance = true;
        } else if (argument == L"--start-child") {
            options.start_child = true;
        }
    }
    LocalFree(arguments);
    return options;
}

HWND AddControl(HWND parent, const wchar_t* window_class, const wchar_t* text, DWORD style, int id,
                int x, int y, int width, int height) {
    return CreateWindowExW(window_class == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0,
                           window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                           nullptr);
}

std::wstring ControlText(int id) {
    wchar_t text[256] = L"";
    GetDlgItemTextW(g_main, id, text, 256);
    return text;
}

std::wstring EnvironmentReport() {
    wchar_t value[1024];
    const DWORD length = GetEnvironmentVariableW(g_options.shown_variable.c_str(), value, 1024);
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
        return g_options.shown_variable + L" is unset";
    }
    return g_options.shown_variable + L"=" + std::wstring(value, length < 1024 ? length : 0);
}

void CreateControls(HWND window) {
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    AddControl(window, L"STATIC", L"Ready", 0, kStatusLabel, 10, 10, 300, 20);
    AddControl(window, L"STATIC", folder, SS_NOPREFIX, kFolderLabel, 10, 35, 460, 20);
    AddControl(window, L"STATIC",
               g_options.shown_variable.empty() ? L"" : EnvironmentReport().c_str(), SS_NOPREFIX,
               kEnvLabel, 10, 60, 460, 20);
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
    if (!IsWindow(g_progress)) {
        return;
    }
    ShowWindow(g_progress, SW_SHOW);
    MSG message;
    while (IsWindow(g_progress) && IsWindowVisible(g_progress)) {
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
    if (message == g_restore_message && g_restore_message != 0) {
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
        }
        SetForegroundWindow(window);
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        g_main = window;
        CreateControls(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) == kGreetButton && HIWORD(wparam) == BN_CLICKED) {
            Greet(window);
        } else if (LOWORD(wparam) == kWorkButton && HIWORD(wparam) == BN_CLICKED) {
            Work(window);
        } else if (LOWORD(wparam) == kQuitButton && HIWORD(wparam) == BN_CLICKED) {
            g_options.exit_code = _wtoi(ControlText(kNameEdit).c_str());
            DestroyWindow(window);
        } else if (LOWORD(wparam) == kLockCheckBox && HIWORD(wparam) == BN_CLICKED) {
            const bool locked = IsDlgButtonChecked(window, kLockCheckBox) == BST_CHECKED;
            EnableWindow(GetDlgItem(window, kNameEdit), !locked);
        }
        return 0;
    case WM_DRAWITEM:
        return ReflectDrawItem(lparam);
    case WM_DESTROY:
        PostQuitMessage(g_options.exit_code);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void RegisterClasses(HINSTANCE instance) {
    WNDCLASSW main_class{};
    main_class.lpfnWndProc = &MainProcedure;
    main_class.hInstance = instance;
    main_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    main_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    main_class.lpszClassName = kMainClass;
    RegisterClassW(&main_class);
    WNDCLASSW progress_class{};
    progress_class.lpfnWndProc = &DefWindowProcW;
    progress_class.hInstance = instance;
    progress_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    progress_class.lpszClassName = kProgressClass;
    RegisterClassW(&progress_class);
}

int Run(HINSTANCE instance) {
    g_options = ParseOptions();
    HANDLE mutex = nullptr;
    if (g_options.single_instance) {
        mutex = CreateMutexW(nullptr, FALSE, kMutexName);
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            SendMessageW(HWND_BROADCAST, RegisterWindowMessageW(kRestoreMessageName), 0, 0);
            CloseHandle(mutex);
            return 0;
        }
        g_restore_message = RegisterWindowMessageW(kRestoreMessageName);
    }
    RegisterClasses(instance);
    g_progress = CreateWindowExW(0, kProgressClass, kProgressCaption, WS_OVERLAPPEDWINDOW, 540, 40,
                                 240, 120, nullptr, nullptr, instance, nullptr);
    HWND window = CreateWindowExW(0, kMainClass, g_options.title.c_str(), WS_OVERLAPPEDWINDOW, 40,
                                  40, 480, 320, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    std::optional<drive::Process> child;
    if (g_options.start_child) {
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
