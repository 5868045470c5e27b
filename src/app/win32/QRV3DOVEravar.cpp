// Program entry: single instance, framework services, the main window and the message loop.
#include "app/framework_starter.h"
#include "app/win32/application_window.h"
#include "app/win32/main_window.h"
#include "cadlib/win32/cad_basket.h"
#include "controls/win32/message_boxes.h"
#include "export/win32/error_window.h"
#include "export/win32/export_details.h"
#include "framework/framework_package.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/unique_handle.h"

#include <commctrl.h>
#include <windows.h>

namespace {

constexpr char kInstanceMutexName[] = "MyApp";

// Module initialisation and finalisation: the framework services live for the whole process.
struct ProgramModules {
    ProgramModules() { qrv::FrameworkStarter_Init(); }
    ~ProgramModules() {
        qrv::FrameworkStarter_Release();
        qrv::xQRVIsRunningAsWebApplication_Release(qrv::DetectProgramHostKind());
    }
    ProgramModules(const ProgramModules&) = delete;
    ProgramModules& operator=(const ProgramModules&) = delete;
};

int RunProgram(HINSTANCE instance) {
    const qrv::UniqueHandle instanceMutex(CreateMutexA(nullptr, FALSE, kInstanceMutexName));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
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

    qrv::TfrmExport mainWindow(application);
    try {
        mainWindow.Create(instance);
    } catch (const qrv::ECADLibraryLoadError& error) {
        qrv::ShowMessage(error.message());
        return 1;
    }
    qrv::TfrmExportDetails details;
    // Owned by the application window, so that minimising the main window leaves them up.
    const HWND owner = application.Handle();
    details.Create(instance, owner, mainWindow.Handle(), mainWindow.Texts());
    qrv::TfrmError errors;
    errors.Create(instance, owner, mainWindow.Texts());
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
    const ProgramModules modules;
    try {
        return RunProgram(instance);
    } catch (const std::exception& error) {
        qrv::ShowGeneralErrorReport(error);
        return 1;
    }
}
