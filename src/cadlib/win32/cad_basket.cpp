#include "cadlib/win32/cad_basket.h"

#include "cadlib/win32/library_guard.h"
#include "platform/decimal_text.h"
#include "platform/scope_exit.h"
#include "platform/win32/system_message.h"
#include "platform/win32/wide.h"

#include <string>

namespace qrv {

namespace {

template <typename T> void Bind(HMODULE module, const char* name, T& entry) {
    entry = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// One exported function as the loading sees it.
struct TEntryPoint {
    const char* name;
    int firstCall; // see QRV_EXPORT_CAD_FUNCTIONS
    void (*bind)(HMODULE module, TCADBasketBinding& binding);
    bool (*bound)(const TCADBasketBinding& binding);
};

#define QRV_ENTRY_POINT(name, result, parameters, firstCall)                                       \
    TEntryPoint{                                                                                   \
        kExportCADName<&TCADBasketBinding::ExportCAD_##name>, firstCall,                           \
        [](HMODULE module, TCADBasketBinding& binding) {                                           \
            Bind(module, kExportCADName<&TCADBasketBinding::ExportCAD_##name>,                     \
                 binding.ExportCAD_##name);                                                        \
        },                                                                                         \
        [](const TCADBasketBinding& binding) { return binding.ExportCAD_##name != nullptr; }},
constexpr TEntryPoint kEntryPoints[] = {QRV_EXPORT_CAD_FUNCTIONS(QRV_ENTRY_POINT)};
#undef QRV_ENTRY_POINT

// Of the functions the program calls without asking whether they are bound, the first one it
// would call that the library lacks; null when it has them all. A library that lacks one is
// refused when it is loaded, instead of crashing at that call.
const char* FirstMissingFunction(const TCADBasketBinding& binding) {
    const TEntryPoint* missing = nullptr;
    for (const TEntryPoint& entry : kEntryPoints) {
        if (entry.firstCall != 0 && !entry.bound(binding) &&
            (missing == nullptr || entry.firstCall < missing->firstCall)) {
            missing = &entry;
        }
    }
    return missing != nullptr ? missing->name : nullptr;
}

std::u16string Widen(const char* ascii) {
    return std::u16string(ascii, ascii + strlen(ascii));
}

// The system's words for a failed LoadLibraryW, e.g. "The specified module could not be
// found." for a missing dependency, with the error number.
std::u16string LoadFailureReason(DWORD error) {
    const std::u16string reason = SystemMessage(error);
    return (reason.empty() ? u"" : reason + u". ") + u"(error " + DecimalText(error) + u")";
}

// Loads the module; its DllMain runs inside, so it goes through the guard like every call.
HMODULE AcquireModule(const std::u16string& path) {
    DWORD error = ERROR_SUCCESS;
    const HMODULE module = GuardLibraryCall("DllMain (loading the library)", [&] {
        const HMODULE loaded = LoadLibraryW(Wide(path));
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

TCADLibraryHandle::~TCADLibraryHandle() {
    if (module_ != nullptr) {
        ReleaseModule(module_);
    }
}

void ResetCADBasket(TCADLibraryHandle& handle) {
    handle.module_ = nullptr;
    handle.binding_ = TCADBasketBinding{};
}

bool LoadCADBasket(const std::u16string& folder, TCADLibraryHandle& handle) {
    ResetCADBasket(handle);
    const std::u16string path = folder + reinterpret_cast<const char16_t*>(kCADBasketFileName);
    const HMODULE module = AcquireModule(path);
    handle.module_ = module;

    auto& b = handle.binding_;
    for (const TEntryPoint& entry : kEntryPoints) {
        entry.bind(module, b);
    }
    if (const char* missing = FirstMissingFunction(b)) {
        ReleaseModule(module);
        ResetCADBasket(handle);
        throw ECADLibraryLoadError(u"Error: the CAD export library " + path +
                                   u" does not export the function " + Widen(missing) + u".");
    }

    if (b.ExportCAD_LibInitialization != nullptr) {
        try {
            GuardLibraryCall(kExportCADName<&TCADBasketBinding::ExportCAD_LibInitialization>,
                             b.ExportCAD_LibInitialization);
        } catch (const ECADLibraryFault& fault) {
            // A library that fails to initialise is not loaded: the program ends as for one
            // that cannot be loaded, without calling it again (nor freeing it: its state is
            // unknown).
            ResetCADBasket(handle);
            throw ECADLibraryLoadError(Widen(fault.what()));
        }
    }
    return true;
}

void UnloadCADBasket(TCADLibraryHandle& handle, const std::function<void()>& pump) {
    const auto finalization = handle.binding_.ExportCAD_LibFinalization;
    if (finalization != nullptr) {
        try {
            GuardLibraryCall(kExportCADName<&TCADBasketBinding::ExportCAD_LibFinalization>,
                             finalization);
        } catch (const ECADLibraryFault&) {
            // Ignored: the module is freed all the same.
        }
    }
    // The handle and the binding are cleared on every way out, a failing pump included.
    TScopeExit reset([&] { ResetCADBasket(handle); });
    pump();
    if (handle.module_ != nullptr) {
        ReleaseModule(handle.module_);
    }
    pump();
}

} // namespace qrv
