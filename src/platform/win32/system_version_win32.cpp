#include "platform/system_version.h"

#include "platform/decimal_text.h"
#include "platform/win32/module_function.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace qrv {

namespace {

// A library loaded for a while, freed on every way out.
class TLoadedLibrary {
public:
    // A system library by its name alone: one of the system's known libraries, which Windows
    // takes from its own folder only.
    explicit TLoadedLibrary(const wchar_t* name) : module_(LoadLibraryW(name)) {}
    ~TLoadedLibrary() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    TLoadedLibrary(const TLoadedLibrary&) = delete;
    TLoadedLibrary& operator=(const TLoadedLibrary&) = delete;

    template <typename Function> Function Find(const char* name) const {
        return ModuleFunction<Function>(module_, name);
    }

private:
    HMODULE module_;
};

using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOEXW*);
using TWineGetVersion = const char*(CDECL*)();
using TGetFileVersionInfoSizeW = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
using TGetFileVersionInfoW = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
using TVerQueryValueW = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

std::u16string DottedVersion(std::initializer_list<DWORD> parts) {
    std::u16string text;
    for (const DWORD part : parts) {
        text += (text.empty() ? u"" : u".") + DecimalText(part);
    }
    return text;
}

} // namespace

std::u16string SystemVersionText() {
    // GetVersionEx answers what the program's manifest declares; ntdll tells the truth.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    const auto getVersion = ModuleFunction<TRtlGetVersion>(ntdll, "RtlGetVersion");
    if (getVersion == nullptr || getVersion(&version) != 0) {
        return {};
    }
    std::u16string text =
        DottedVersion({version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber});
    if (version.szCSDVersion[0] != L'\0') {
        text += u" " + FromWide(version.szCSDVersion);
    }
    if (version.wProductType != VER_NT_WORKSTATION) {
        text += u", server";
    }
    if (const auto wineVersion = ModuleFunction<TWineGetVersion>(ntdll, "wine_get_version")) {
        const std::string wine = wineVersion();
        text += u" (Wine " + std::u16string(wine.begin(), wine.end()) + u")";
    }
    return text;
}

std::u16string FileVersionText(const std::u16string& path) {
    const TLoadedLibrary version(L"version.dll");
    const auto getSize = version.Find<TGetFileVersionInfoSizeW>("GetFileVersionInfoSizeW");
    const auto getInfo = version.Find<TGetFileVersionInfoW>("GetFileVersionInfoW");
    const auto queryValue = version.Find<TVerQueryValueW>("VerQueryValueW");
    if (getSize == nullptr || getInfo == nullptr || queryValue == nullptr) {
        return {};
    }
    DWORD unused = 0;
    const DWORD size = getSize(Wide(path), &unused);
    if (size == 0) {
        return {};
    }
    std::vector<char> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!getInfo(Wide(path), 0, size, info.data()) ||
        !queryValue(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        fixed == nullptr || fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    return DottedVersion({HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                          HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)});
}

} // namespace qrv
