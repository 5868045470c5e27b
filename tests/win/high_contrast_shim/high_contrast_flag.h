#pragma once
// Where Windows keeps the user's high-contrast flag, which the stand-in (high_contrast_shim.cpp)
// reports: HCF_* in decimal under HKCU. A test or benchmark sets it as the user's choice.

#include <windows.h>

#include <cwchar>

namespace qrv::high_contrast {

inline constexpr wchar_t kKey[] = L"Control Panel\\Accessibility\\HighContrast";
inline constexpr wchar_t kFlags[] = L"Flags";

// 127 holds HCF_HIGHCONTRASTON among the other flags of the setting; 126 is the same, off.
inline void SetFlag(bool on) {
    const wchar_t* flags = on ? L"127" : L"126";
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kFlags, REG_SZ, flags,
                    static_cast<DWORD>((std::wcslen(flags) + 1) * sizeof(wchar_t)));
}

} // namespace qrv::high_contrast
