#include "cadlib/win32/cad_basket.h"

#include "cadlib/win32/library_guard.h"
#include "platform/win32/system_message.h"

#include <array>
#include <string>

namespace qrv {

namespace {

// Functions the program calls without testing whether they are bound: a library that lacks
// one of them is refused when it is loaded, instead of crashing at the first call.
constexpr std::array<const char*, 11> kRequiredFunctions = {
    "ExportCAD_SetDirs",    "ExportCAD_CadStart",    "ExportCAD_GetCADCount",
    "ExportCAD_GetCADName", "ExportCAD_SelectCADs",  "ExportCAD_SelectSubDirs",
    "ExportCAD_SetZipMode", "ExportCAD_BeginExport", "ExportCAD_ExportPart",
    "ExportCAD_EndExport",  "ExportCAD_CadStop",
};

template <typename T> void Bind(HMODULE module, const char* name, T& entry) {
    entry = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::u16string Widen(const char* ascii) {
    return std::u16string(ascii, ascii + strlen(ascii));
}

std::u16string Decimal(unsigned long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// The system's words for a failed LoadLibraryW, e.g. "The specified module could not be
// found." for a missing dependency, with the error number.
std::u16string LoadFailureReason(DWORD error) {
    const std::u16string reason = SystemMessage(error);
    return (reason.empty() ? u"" : reason + u". ") + u"(error " + Decimal(error) + u")";
}

// Loads the module; its DllMain runs inside, so it goes through the guard like every call.
HMODULE AcquireModule(const std::u16string& path) {
    DWORD error = ERROR_SUCCESS;
    const HMODULE module = GuardLibraryCall("DllMain (loading the library)", [&] {
        const HMODULE loaded = LoadLibraryW(reinterpret_cast<const wchar_t*>(path.c_str()));
        error = GetLastError();
        return loaded;
    });
    if (module == nullptr) {
        // The specified text stays the first line; the path and the reason tell an
        // integrator what to mend.
        throw ECADLibraryLoadError(u"Error: Load Library failed.\r\n" + path + u"\r\n" +
                                   LoadFailureReason(error));
    }
    return module;
}

// Unloading: the library's DllMain runs inside FreeLibrary. Faults are ignored, as every
// failure while releasing at shutdown is.
void ReleaseModule(HMODULE module) {
    try {
        GuardLibraryCall("DllMain (unloading the library)", [&] { FreeLibrary(module); });
    } catch (const ECADLibraryFault&) {
    }
}

} // namespace

TCADBasketBinding& CADBasket() {
    static TCADBasketBinding binding;
    return binding;
}

void ResetCADBasket(HMODULE& handle) {
    handle = nullptr;
    CADBasket() = TCADBasketBinding{};
}

bool LoadCADBasket(const std::u16string& folder, HMODULE& handle) {
    ResetCADBasket(handle);
    const std::u16string path = folder + reinterpret_cast<const char16_t*>(kCADBasketFileName);
    handle = AcquireModule(path);

    auto& b = CADBasket();
    Bind(handle, "ExportCAD_SetDirs", b.ExportCAD_SetDirs);
    Bind(handle, "ExportCAD_GetCADCount", b.ExportCAD_GetCADCount);
    Bind(handle, "ExportCAD_GetCADName", b.ExportCAD_GetCADName);
    Bind(handle, "ExportCAD_GetCADQualifier", b.ExportCAD_GetCADQualifier);
    Bind(handle, "ExportCAD_SelectCADs", b.ExportCAD_SelectCADs);
    Bind(handle, "ExportCAD_SelectSubDirs", b.ExportCAD_SelectSubDirs);
    Bind(handle, "ExportCAD_BeginExport", b.ExportCAD_BeginExport);
    Bind(handle, "ExportCAD_ExportPart", b.ExportCAD_ExportPart);
    Bind(handle, "ExportCAD_EndExport", b.ExportCAD_EndExport);
    Bind(handle, "ExportCAD_CadStart", b.ExportCAD_CadStart);
    Bind(handle, "ExportCAD_CadStop", b.ExportCAD_CadStop);
    Bind(handle, "ExportCAD_CadIsSleeping", b.ExportCAD_CadIsSleeping);
    Bind(handle, "ExportCAD_LibInitialization", b.ExportCAD_LibInitialization);
    Bind(handle, "ExportCAD_LibFinalization", b.ExportCAD_LibFinalization);
    Bind(handle, "ExportCAD_SetZipMode", b.ExportCAD_SetZipMode);

    for (const char* name : kRequiredFunctions) {
        if (GetProcAddress(handle, name) == nullptr) {
            ReleaseModule(handle);
            ResetCADBasket(handle);
            throw ECADLibraryLoadError(u"Error: the CAD export library " + path +
                                       u" does not export the function " + Widen(name) + u".");
        }
    }

    if (b.ExportCAD_LibInitialization != nullptr) {
        try {
            GuardLibraryCall("ExportCAD_LibInitialization", b.ExportCAD_LibInitialization);
        } catch (const ECADLibraryFault& fault) {
            // A library that fails to initialise is not loaded: the program ends as for one
            // that cannot be loaded, without calling it again.
            ResetCADBasket(handle);
            throw ECADLibraryLoadError(Widen(fault.what()));
        }
    }
    return true;
}

void UnloadCADBasket(HMODULE& handle, void (*pump)()) {
    if (CADBasket().ExportCAD_LibFinalization != nullptr) {
        try {
            GuardLibraryCall("ExportCAD_LibFinalization", CADBasket().ExportCAD_LibFinalization);
        } catch (const ECADLibraryFault&) {
            // Ignored: the module is freed all the same.
        }
    }
    {
        struct ClearHandle {
            HMODULE& handle;
            ~ClearHandle() { handle = nullptr; }
        } clearHandle{handle};
        pump();
        if (handle != nullptr) {
            ReleaseModule(handle);
        }
        pump();
    }
    ResetCADBasket(handle);
}

} // namespace qrv
