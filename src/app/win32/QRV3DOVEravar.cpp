// Program entry: single instance, framework services, the session beside the windows and the
// message loop.
#include "app/framework_starter.h"
#include "app/main_window_ids.h"
#include "app/program_session.h"
#include "app/win32/application_window.h"
#include "app/win32/main_window.h"
#include "app/win32/windows_cad_library_owner.h"
#include "cadlib/win32/cad_basket.h"
#include "controls/win32/message_boxes.h"
#include "export/win32/error_window.h"
#include "export/win32/export_details.h"
#include "framework/framework_package.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_shell.h"

#include <commctrl.h>
#include <windows.h>

#include <utility>

namespace {

// The design's instance mutex, which is all that a copy of an older version holds. Other
// programs use the name too.
constexpr char kInstanceMutexName[] = "MyApp";
// The copies of this version hold a mutex of their own as well.
constexpr char kOwnInstanceMutexName[] = "QRV3DOVEravar.Instance";

struct TInstanceMutex {
    qrv::TUniqueHandle handle; // held until the program ends
    bool existed;
};

TInstanceMutex CreateInstanceMutex(const char* name) {
    qrv::TUniqueHandle handle(CreateMutexA(nullptr, FALSE, name));
    return {std::move(handle), GetLastError() == ERROR_ALREADY_EXISTS};
}

// Another copy runs: one of this version, or "MyApp" is held and a main window is up (an older
// version's has the same class). A "MyApp" without such a window belongs to another program.
bool AnotherCopyRuns(const TInstanceMutex& design, const TInstanceMutex& own) {
    return own.existed ||
           (design.existed && FindWindowW(qrv::ids::kMainWindowClass, nullptr) != nullptr);
}

// The program's message boxes: the plain one and the general error report.
class TMessageBoxes final : public qrv::TProgramMessages {
public:
    void ShowMessageBox(const std::u16string& text) override { qrv::ShowMessage(text); }
    void ReportError(const std::exception& error) override { qrv::ShowGeneralErrorReport(error); }
};

// Module initialisation and finalisation: the framework services live for the whole process.
struct TProgramModules {
    TProgramModules() { qrv::FrameworkStarter_Init(); }
    ~TProgramModules() {
        qrv::FrameworkStarter_Release();
        qrv::xQRVIsRunningAsWebApplication_Release(qrv::DetectProgramHostKind());
    }
    TProgramModules(const TProgramModules&) = delete;
    TProgramModules& operator=(const TProgramModules&) = delete;
};

int RunProgram(HINSTANCE instance) {
    const TInstanceMutex designMutex = CreateInstanceMutex(kInstanceMutexName);
    const TInstanceMutex ownMutex = CreateInstanceMutex(kOwnInstanceMutexName);
    if (AnotherCopyRuns(designMutex, ownMutex)) {
        // Another copy runs: ask it to come to the front, and end.
        const UINT restore = RegisterWindowMessageA(qrv::kRestoreMessageName);
        SendMessageA(HWND_BROADCAST, restore, 0, 0);
        return 0;
    }

    qrv::FrameworkStarter_Init();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    qrv::TApplicationWindow application;
    application.Create(instance);
    application.SetTitle("QRV3DOVEravar");
    ShowWindow(application.Handle(), SW_RESTORE);

    qrv::TWindowsShell shell;
    TMessageBoxes messages;
    qrv::TWindowsCADLibraryOwner library(shell);
    qrv::TfrmExport mainWindow(application);
    qrv::TProgramSession session(shell, messages, library, mainWindow.View());
    try {
        mainWindow.Create(instance, session);
    } catch (const qrv::ECADLibraryLoadError& error) {
        qrv::ShowMessage(error.Message());
        return 1;
    }
    qrv::TfrmExportDetails details(shell);
    // Owned by the application window, so that minimising the main window leaves them up.
    const HWND owner = application.Handle();
    details.Create(instance, owner, mainWindow.Handle(), session.keptTexts);
    qrv::TfrmError errors(shell);
    errors.Create(instance, owner, session.keptTexts);
    mainWindow.AttachRunWindows(details, errors);

    qrv::RunMessageLoop();
    mainWindow.ShutdownIfStillOpen();
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Room for handling a stack overflow inside the CAD export library, so that it is reported
    // like any other fault of the library.
    ULONG stackGuarantee = 64 * 1024;
    SetThreadStackGuarantee(&stackGuarantee);
    const TProgramModules modules;
    try {
        return RunProgram(instance);
    } catch (const std::exception& error) {
        qrv::ShowGeneralErrorReport(error);
        return 1;
    }
}
