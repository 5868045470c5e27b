#pragma once
// Binding of CADBasketDLL.dll: its fifteen exported functions, loaded by name.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <exception>
#include <string>

namespace qrv {

// Every function uses the Windows calling convention (stdcall on 32-bit); Booleans travel in
// 32-bit slots of which only the low byte counts.
using TLibBool = int32_t;
using TExportCAD_LibInitialization = void(WINAPI*)();
using TExportCAD_LibFinalization = void(WINAPI*)();
using TExportCAD_SetDirs = void(WINAPI*)(const wchar_t* cadData, const wchar_t* cadSoftware,
                                         const wchar_t* destination, const wchar_t* shopName);
using TExportCAD_CadStart = void(WINAPI*)();
using TExportCAD_CadIsSleeping = TLibBool(WINAPI*)();
using TExportCAD_CadStop = void(WINAPI*)();
using TExportCAD_GetCADCount = int32_t(WINAPI*)();
using TExportCAD_GetCADName = const wchar_t*(WINAPI*)(int32_t index);
using TExportCAD_GetCADQualifier = const wchar_t*(WINAPI*)(int32_t index);
using TExportCAD_SelectCADs = void(WINAPI*)(const uint16_t* formats, int32_t lastIndex);
using TExportCAD_SelectSubDirs = void(WINAPI*)(const uint8_t* subDirs, int32_t lastIndex);
using TExportCAD_SetZipMode = void(WINAPI*)(TLibBool zip);
using TExportCAD_BeginExport = void(WINAPI*)();
using TExportCAD_ExportPart = TLibBool(WINAPI*)(const char* partNo, const char* type,
                                                const char* id1, const char* id2, const char* cad);
using TExportCAD_EndExport = void(WINAPI*)();

// One entry per exported function: its address, or null when the library lacks it.
struct TCADBasketBinding {
    TExportCAD_SetDirs ExportCAD_SetDirs = nullptr;
    TExportCAD_GetCADCount ExportCAD_GetCADCount = nullptr;
    TExportCAD_GetCADName ExportCAD_GetCADName = nullptr;
    TExportCAD_GetCADQualifier ExportCAD_GetCADQualifier = nullptr;
    TExportCAD_SelectCADs ExportCAD_SelectCADs = nullptr;
    TExportCAD_SelectSubDirs ExportCAD_SelectSubDirs = nullptr;
    TExportCAD_BeginExport ExportCAD_BeginExport = nullptr;
    TExportCAD_ExportPart ExportCAD_ExportPart = nullptr;
    TExportCAD_EndExport ExportCAD_EndExport = nullptr;
    TExportCAD_CadStart ExportCAD_CadStart = nullptr;
    TExportCAD_CadStop ExportCAD_CadStop = nullptr;
    TExportCAD_CadIsSleeping ExportCAD_CadIsSleeping = nullptr;
    TExportCAD_LibInitialization ExportCAD_LibInitialization = nullptr;
    TExportCAD_LibFinalization ExportCAD_LibFinalization = nullptr;
    TExportCAD_SetZipMode ExportCAD_SetZipMode = nullptr;
};

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
    friend void UnloadCADBasket(TCADLibraryHandle& handle, void (*pump)());

    HMODULE module_ = nullptr;
    TCADBasketBinding binding_;
};

// The program's library, loaded by the main window during start-up.
TCADLibraryHandle& CADLibraryHandle();

inline constexpr wchar_t kCADBasketFileName[] = L"CADBasketDLL.dll";

// Raised when the library cannot be loaded or is refused; the program shows the message
// and ends with exit code 1.
class ECADLibraryLoadError : public std::exception {
public:
    explicit ECADLibraryLoadError(std::u16string message) : message_(std::move(message)) {}
    const std::u16string& message() const { return message_; }
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
void UnloadCADBasket(TCADLibraryHandle& handle, void (*pump)());

} // namespace qrv
