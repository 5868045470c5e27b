// The fifteen ExportCAD_ entry points of the simulated CADBasketDLL.dll. They use the
// Windows calling convention (stdcall on i686) and are exported without decoration. Each
// one hands its arguments to the simulator; no C++ exception leaves the library. A fault
// switch (CADSIM_FAULTS) due on the call is carried out first, outside every C++ handler of
// the library, so that the structured exception it raises leaves the library.
//
// Variants of the library leave some entry points out (see CMakeLists.txt):
// CADSIM_WITHOUT_INIT, CADSIM_WITHOUT_SLEEPING, CADSIM_WITHOUT_QUALIFIER,
// CADSIM_WITHOUT_EXPORTPART.

#include "cadsim/core/simulator.h"
#include "cadsim/win32/fire_fault.h"
#include "cadsim/win32/win32_host.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#define CADSIM_EXPORT extern "C" __declspec(dllexport)

namespace qrv::cadsim {
namespace {

// A Boolean in a 32-bit slot of which only the low byte counts.
using CadBool = uint32_t;

Simulator MakeSimulator(Host& host) {
    std::vector<std::string> warnings;
    SimulatorConfig config = ReadConfig(EnvironmentValue, warnings);
    return Simulator(host, std::move(config), warnings);
}

Simulator& Instance() {
    static Win32Host host;
    static Simulator simulator = MakeSimulator(host);
    return simulator;
}

const char16_t* Utf16(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}

// The fault switch due on this call of the entry point (logged), or null.
[[gnu::noinline]] const Fault* DueFault(const char* name) noexcept {
    try {
        return Instance().DueFault(name);
    } catch (...) {
        return nullptr; // the call itself then fails and logs why
    }
}

// Runs one entry point; a failure inside becomes a log line and the fallback result. A due
// fault is fired before the try block and with nothing to destroy in this frame: a fault
// inside the try block could meet the catch (...) below when a frame-based handler of the
// caller unwinds the stack.
template <typename Result, typename Call>
Result Guarded(const char* name, Result fallback, Call call) {
    if (const Fault* fault = DueFault(name)) {
        FireFault(fault->kind, fault->value);
    }
    try {
        return call(Instance());
    } catch (const std::exception& error) {
        try {
            Instance().LogEvent(name, std::string("!exception: ") + error.what());
        } catch (...) {
        }
    } catch (...) {
        try {
            Instance().LogEvent(name, "!exception");
        } catch (...) {
        }
    }
    return fallback;
}

template <typename Call> void Guarded(const char* name, Call call) {
    Guarded(name, 0, [&](Simulator& simulator) {
        call(simulator);
        return 0;
    });
}

// Loading and unloading are logged without the simulator: during unloading it may
// already be gone.
void LogLoaderEvent(const char* call, std::initializer_list<std::string_view> fields) {
    try {
        const auto path = EnvironmentValue(u"CADSIM_LOG");
        if (path && !path->empty()) {
            Win32Host host;
            LogLine line(host.NowMs(), call);
            for (const auto field : fields) {
                line.Utf8(field);
            }
            host.AppendToFile(*path, line.Finish());
        }
    } catch (...) {
    }
}

struct LoaderFault {
    bool due = false;
    FaultKind kind = FaultKind::Fail;
    uint32_t value = 0;
};

// A fault switch on DllAttach or DllDetach, read from the environment (each happens once
// per load, so there is nothing to count), and logged when due.
[[gnu::noinline]] LoaderFault DueLoaderFault(const char* call) noexcept {
    try {
        const auto text = EnvironmentValue(u"CADSIM_FAULTS");
        if (!text) {
            return {};
        }
        std::vector<std::string> problems; // the simulator logs them at the first call
        FaultSwitches switches(ParseFaults(*text, problems));
        const Fault* fault = problems.empty() ? switches.Due(call) : nullptr;
        if (!fault) {
            return {};
        }
        LogLoaderEvent(call, {"!fault", FaultKindText(*fault)});
        return {true, fault->kind, fault->value};
    } catch (...) {
        return {};
    }
}

} // namespace
} // namespace qrv::cadsim

using namespace qrv::cadsim;
using qrv::Wide;

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        const LoaderFault fault = DueLoaderFault("DllAttach");
        if (fault.due && fault.kind == FaultKind::Fail) {
            return FALSE;
        }
        if (fault.due) {
            FireFault(fault.kind, fault.value);
        }
        LogLoaderEvent("DllAttach", {});
    } else if (reason == DLL_PROCESS_DETACH) {
        const LoaderFault fault = DueLoaderFault("DllDetach");
        if (fault.due) {
            FireFault(fault.kind, fault.value);
        }
        LogLoaderEvent("DllDetach", {reserved ? "process-exit" : "free"});
    }
    return TRUE;
}

#ifndef CADSIM_WITHOUT_INIT
CADSIM_EXPORT void WINAPI ExportCAD_LibInitialization() {
    Guarded("LibInitialization", [](Simulator& s) { s.LibInitialization(); });
}

CADSIM_EXPORT void WINAPI ExportCAD_LibFinalization() {
    Guarded("LibFinalization", [](Simulator& s) { s.LibFinalization(); });
}
#endif

CADSIM_EXPORT void WINAPI ExportCAD_SetDirs(const wchar_t* cadDataFolder,
                                            const wchar_t* cadSoftwareFolder,
                                            const wchar_t* destinationFolder,
                                            const wchar_t* shopName) {
    Guarded("SetDirs", [&](Simulator& s) {
        s.SetDirs(Utf16(cadDataFolder), Utf16(cadSoftwareFolder), Utf16(destinationFolder),
                  Utf16(shopName));
    });
}

CADSIM_EXPORT void WINAPI ExportCAD_CadStart() {
    Guarded("CadStart", [](Simulator& s) { s.CadStart(); });
}

#ifndef CADSIM_WITHOUT_SLEEPING
CADSIM_EXPORT CadBool WINAPI ExportCAD_CadIsSleeping() {
    return Guarded("CadIsSleeping", CadBool{0},
                   [](Simulator& s) { return CadBool{s.CadIsSleeping()}; });
}
#endif

CADSIM_EXPORT void WINAPI ExportCAD_CadStop() {
    Guarded("CadStop", [](Simulator& s) { s.CadStop(); });
}

CADSIM_EXPORT int32_t WINAPI ExportCAD_GetCADCount() {
    return Guarded("GetCADCount", int32_t{0}, [](Simulator& s) { return s.GetCADCount(); });
}

CADSIM_EXPORT const wchar_t* WINAPI ExportCAD_GetCADName(int32_t index) {
    return Guarded("GetCADName", static_cast<const wchar_t*>(nullptr),
                   [&](Simulator& s) { return Wide(s.GetCADName(index)); });
}

#ifndef CADSIM_WITHOUT_QUALIFIER
CADSIM_EXPORT const wchar_t* WINAPI ExportCAD_GetCADQualifier(int32_t index) {
    return Guarded("GetCADQualifier", static_cast<const wchar_t*>(nullptr),
                   [&](Simulator& s) { return Wide(s.GetCADQualifier(index)); });
}
#endif

CADSIM_EXPORT void WINAPI ExportCAD_SelectCADs(const uint16_t* first, int32_t lastIndex) {
    Guarded("SelectCADs", [&](Simulator& s) { s.SelectCADs(first, lastIndex); });
}

CADSIM_EXPORT void WINAPI ExportCAD_SelectSubDirs(const uint8_t* first, int32_t lastIndex) {
    Guarded("SelectSubDirs", [&](Simulator& s) { s.SelectSubDirs(first, lastIndex); });
}

CADSIM_EXPORT void WINAPI ExportCAD_SetZipMode(CadBool createZip) {
    Guarded("SetZipMode", [&](Simulator& s) { s.SetZipMode(createZip); });
}

CADSIM_EXPORT void WINAPI ExportCAD_BeginExport() {
    Guarded("BeginExport", [](Simulator& s) { s.BeginExport(); });
}

#ifndef CADSIM_WITHOUT_EXPORTPART
CADSIM_EXPORT CadBool WINAPI ExportCAD_ExportPart(const char* partNumber, const char* type,
                                                  const char* id1, const char* id2,
                                                  const char* cadString) {
    return Guarded("ExportPart", CadBool{0}, [&](Simulator& s) {
        return CadBool{s.ExportPart(partNumber, type, id1, id2, cadString)};
    });
}
#endif

CADSIM_EXPORT void WINAPI ExportCAD_EndExport() {
    Guarded("EndExport", [](Simulator& s) { s.EndExport(); });
}
