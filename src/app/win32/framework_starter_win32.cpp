#include "app/framework_starter.h"
#include "framework/framework_package.h"

#include <objbase.h>
#include <windows.h>

namespace qrv {

namespace {

class TSystemStarterServices final : public TStarterServices {
public:
    std::string ExeBareName() override { return xQRVGetVeryPureExeFileName(); }
    std::string ModuleBareName() override { return JGetVeryPureModuleFileName(OwnModule()); }
    uint32_t CurrentProcessId() override { return GetCurrentProcessId(); }

    long CoInitializeWithMode(int mode) override {
        SetLastError(0);
        if (mode != -1) {
            return CoInitializeEx(nullptr, static_cast<DWORD>(mode));
        }
        return CoInitialize(nullptr);
    }

    void CoUninitialize() override { ::CoUninitialize(); }
    void WebApplicationInit(uint32_t processId, int hostKind) override {
        xQRVIsRunningAsWebApplication_Init(processId, hostKind);
    }
    void GlobalVariablesInit(int hostKind, bool owner) override {
        xQRVGlobalVariables_Init(hostKind, owner);
    }
    void GlobalVariablesRelease(int hostKind, bool owner) override {
        xQRVGlobalVariables_Release(hostKind, owner);
    }
    void MemoryConsumptionTimerRelease() override { MemoryConsumptionTimer_Release(); }

private:
    // The module that holds this code: the program file, or a library built from it.
    static HMODULE OwnModule() {
        HMODULE module = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&OwnModule), &module);
        return module;
    }
};

TSystemStarterServices& Services() {
    static TSystemStarterServices services;
    return services;
}

} // namespace

TFrameworkStarter& ProgramFrameworkStarter() {
    static TFrameworkStarter starter(Services());
    return starter;
}

int DetectProgramHostKind() {
    return DetectHostKind(Services());
}
void FrameworkStarter_Init() {
    ProgramFrameworkStarter().Init();
}
void FrameworkStarter_Release() {
    ProgramFrameworkStarter().Release();
}

} // namespace qrv
