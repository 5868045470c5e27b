#pragma once
// Binding of CADBasketDLL.dll: its fifteen exported functions, loaded by name.

#include "cadlib/win32/export_cad_functions.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <string>

namespace qrv {

// The function types, TExportCAD_SetDirs and so on.
#define QRV_DECLARE_FUNCTION_TYPE(name, result, parameters, firstCall)                             \
    using TExportCAD_##name = result(WINAPI*) parameters;
QRV_EXPORT_CAD_FUNCTIONS(QRV_DECLARE_FUNCTION_TYPE)
#undef QRV_DECLARE_FUNCTION_TYPE

// One entry per exported function: its address, or null when the library lacks it.
struct TCADBasketBinding {
#define QRV_DECLARE_ENTRY(name, result, parameters, firstCall)                                     \
    TExportCAD_##name ExportCAD_##name = nullptr;
    QRV_EXPORT_CAD_FUNCTIONS(QRV_DECLARE_ENTRY)
#undef QRV_DECLARE_ENTRY
};

// The exported name of a binding entry: kExportCADName<&TCADBasketBinding::ExportCAD_SetDirs>
// is "ExportCAD_SetDirs".
template <auto Entry> inline constexpr const char* kExportCADName = nullptr;
#define QRV_DECLARE_NAME(name, result, parameters, firstCall)                                      \
    template <>                                                                                    \
    inline constexpr const char* kExportCADName<&TCADBasketBinding::ExportCAD_##name> =            \
        "ExportCAD_" #name;
QRV_EXPORT_CAD_FUNCTIONS(QRV_DECLARE_NAME)
#undef QRV_DECLARE_NAME

// The loaded CAD export library: its module handle and the binding of its functions, with
// one owner, so that neither is ever set without the other. Null and all entries null when no
// library is loaded. Only LoadCADBasket, UnloadCADBasket and ResetCADBasket change it.
class TCADLibraryHandle {
public:
    TCADLibraryHandle() = default;
    // A library still loaded here is freed (not finalised: this is the end of the program
    // after a failure, and its CAD system is not stopped either).
    ~TCADLibraryHandle();
    TCADLibraryHandle(const TCADLibraryHandle&) = delete;
    TCADLibraryHandle& operator=(const TCADLibraryHandle&) = delete;

    HMODULE Module() const { return module_; }
    bool Loaded() const { return module_ != nullptr; }
    const TCADBasketBinding& Binding() const { return binding_; }

private:
    friend void ResetCADBasket(TCADLibraryHandle& handle);
    friend bool LoadCADBasket(const std::u16string& folder, TCADLibraryHandle& handle);
    friend void UnloadCADBasket(TCADLibraryHandle& handle, const std::function<void()>& pump);

    HMODULE module_ = nullptr;
    TCADBasketBinding binding_;
};

inline constexpr wchar_t kCADBasketFileName[] = L"CADBasketDLL.dll";

// Raised when the library cannot be loaded or is refused; the program shows the message
// and ends with exit code 1.
class ECADLibraryLoadError : public std::exception {
public:
    explicit ECADLibraryLoadError(std::u16string message) : message_(std::move(message)) {}
    const std::u16string& Message() const { return message_; }
    const char* what() const noexcept override { return "the CAD export library cannot be loaded"; }

private:
    std::u16string message_;
};

void ResetCADBasket(TCADLibraryHandle& handle);
// Loads folder + "CADBasketDLL.dll", binds its functions and initialises it. Raises
// ECADLibraryLoadError when the module cannot be loaded, or when it lacks a function that
// the program calls without asking first.
bool LoadCADBasket(const std::u16string& folder, TCADLibraryHandle& handle);
// Finalises and frees the library; the handle and the binding are cleared on every way out.
void UnloadCADBasket(TCADLibraryHandle& handle, const std::function<void()>& pump);

} // namespace qrv
