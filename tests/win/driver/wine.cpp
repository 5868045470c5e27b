#include "driver/wine.h"

#include <windows.h>

#include "driver/error.h"
#include "driver/text.h"

namespace qrv::drive {

namespace {

// kernel32 of Wine converts file names between the two sides; both results live on the
// process heap.
using DosFileNameFunction = wchar_t*(CDECL*)(const char*);
using UnixFileNameFunction = char*(CDECL*)(const wchar_t*);

template <class Function> Function WineFunction(const char* name) {
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    return kernel32 ? reinterpret_cast<Function>(
                          reinterpret_cast<void (*)()>(GetProcAddress(kernel32, name)))
                    : nullptr;
}

} // namespace

bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::wstring ToWindowsPath(const std::string& path) {
    const auto convert = WineFunction<DosFileNameFunction>("wine_get_dos_file_name");
    if (path.empty() || path.front() != '/' || !convert) {
        return FromUtf8(path);
    }
    wchar_t* converted = convert(path.c_str());
    if (!converted) {
        throw DriverError("Wine cannot name the Linux path " + path);
    }
    std::wstring result(converted);
    HeapFree(GetProcessHeap(), 0, converted);
    return result;
}

std::optional<std::string> ToLinuxPath(const std::wstring& path) {
    const auto convert = WineFunction<UnixFileNameFunction>("wine_get_unix_file_name");
    if (!convert) {
        return std::nullopt;
    }
    char* converted = convert(path.c_str());
    if (!converted) {
        throw DriverError("Wine cannot name the Windows path " + ToUtf8(path) + " in Linux");
    }
    std::string result(converted);
    HeapFree(GetProcessHeap(), 0, converted);
    return result;
}

} // namespace qrv::drive
