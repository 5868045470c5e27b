#pragma once
// Starts and releases the framework package's services once per process, and decides the
// host kind (what kind of process the framework runs in) from the module's bare name.

#include <cstdint>
#include <string>
#include <string_view>

namespace qrv {

// What the starter needs of the system and of the framework package.
class TStarterServices {
public:
    virtual ~TStarterServices() = default;
    virtual std::string ExeBareName() = 0;    // xQRVGetVeryPureExeFileName
    virtual std::string ModuleBareName() = 0; // JGetVeryPureModuleFileName(own module)
    virtual uint32_t CurrentProcessId() = 0;
    // Returns the COM result code; -1 asks for a plain initialisation without a model.
    virtual long CoInitializeWithMode(int mode) = 0;
    virtual void CoUninitialize() = 0;
    virtual void WebApplicationInit(uint32_t processId, int hostKind) = 0;
    virtual void GlobalVariablesInit(int hostKind, bool ownerIsModule) = 0;
    virtual void GlobalVariablesRelease(int hostKind, bool ownerIsModule) = 0;
    virtual void MemoryConsumptionTimerRelease() = 0;
};

bool MatchesHostPattern(std::string_view name, std::string_view pattern, int row);
int DetectHostKind(TStarterServices& services);

class TFrameworkStarter {
public:
    explicit TFrameworkStarter(TStarterServices& services) : services_(services) {}

    void Init();
    void Release();
    bool InitializeCOM(int mode);

    bool Started() const { return FStarted; }
    bool COMInitialized() const { return FCOMInitialized; }

private:
    bool IsForeignServerProcess();

    TStarterServices& services_;
    bool FStarted = false;
    bool FCOMInitialized = false;
};

// The program-wide starter on the real system services.
TFrameworkStarter& ProgramFrameworkStarter();
void FrameworkStarter_Init();
void FrameworkStarter_Release();
// Host kind of the program's own module.
int DetectProgramHostKind();

} // namespace qrv
