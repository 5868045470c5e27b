#include "cadlib/win32/cad_basket.h"

#include <array>

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
    handle = LoadLibraryW(reinterpret_cast<const wchar_t*>(path.c_str()));
    if (handle == nullptr) {
        throw ECADLibraryLoadError(u"Error: Load Library failed.");
    }

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
            FreeLibrary(handle);
            ResetCADBasket(handle);
            throw ECADLibraryLoadError(u"Error: the CAD export library " + path +
                                       u" does not export the function " + Widen(name) + u".");
        }
    }

    if (b.ExportCAD_LibInitialization != nullptr) {
        b.ExportCAD_LibInitialization();
    }
    return true;
}

void UnloadCADBasket(HMODULE& handle, void (*pump)()) {
    if (CADBasket().ExportCAD_LibFinalization != nullptr) {
        CADBasket().ExportCAD_LibFinalization();
    }
    {
        struct ClearHandle {
            HMODULE& handle;
            ~ClearHandle() { handle = nullptr; }
        } clearHandle{handle};
        pump();
        if (handle != nullptr) {
            FreeLibrary(handle);
        }
        pump();
    }
    ResetCADBasket(handle);
}

} // namespace qrv
