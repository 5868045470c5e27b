// A stand-in for what Wine lacks: Windows keeps the user's high-contrast flag in the registry
// (HKCU\Control Panel\Accessibility\HighContrast, value "Flags", HCF_* in decimal) and reports
// it through SystemParametersInfoW(SPI_GETHIGHCONTRAST); Wine reports "off" whatever the
// registry holds. Loaded into a program before its first instruction (driver/inject.h), this
// library points the program's import of SystemParametersInfoW at a function that answers
// SPI_GETHIGHCONTRAST from that registry value, read at every call, and hands every other
// request on to the system. A test switches the theme as Windows does: it writes the value and
// sends the program WM_SETTINGCHANGE with SPI_SETHIGHCONTRAST.
#include "high_contrast_flag.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {

using SystemParametersInfoFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);

SystemParametersInfoFunction systemParametersInfo = nullptr;

DWORD RegistryFlags() {
    wchar_t text[16] = L"";
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, qrv::high_contrast::kKey, qrv::high_contrast::kFlags,
                     RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return 0;
    }
    return static_cast<DWORD>(std::wcstoul(text, nullptr, 10));
}

BOOL WINAPI SystemParametersInfoAsWindows(UINT action, UINT parameter, PVOID data, UINT update) {
    if (action != SPI_GETHIGHCONTRAST || data == nullptr) {
        return systemParametersInfo(action, parameter, data, update);
    }
    auto* highContrast = static_cast<HIGHCONTRASTW*>(data);
    if (highContrast->cbSize != sizeof(HIGHCONTRASTW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    highContrast->dwFlags = RegistryFlags();
    highContrast->lpszDefaultScheme = nullptr;
    return TRUE;
}

// Points the program module's import of user32's SystemParametersInfoW at the stand-in.
void RedirectImport(HMODULE program) {
    auto* base = reinterpret_cast<BYTE*>(program);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "user32.dll") != 0) {
            continue;
        }
        auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "SystemParametersInfoW") !=
                0) {
                continue;
            }
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), PAGE_READWRITE,
                           &protection);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(&SystemParametersInfoAsWindows);
            VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), protection, &protection);
        }
    }
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        systemParametersInfo =
            reinterpret_cast<SystemParametersInfoFunction>(reinterpret_cast<void*>(
                GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoW")));
        if (systemParametersInfo == nullptr) {
            return FALSE;
        }
        RedirectImport(GetModuleHandleW(nullptr));
    }
    return TRUE;
}
