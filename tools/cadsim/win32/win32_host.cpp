#include "cadsim/win32/win32_host.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/write_all.h"

#include <windows.h>

#include <algorithm>

namespace qrv::cadsim {

uint64_t Win32Host::NowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    const auto ticks = static_cast<uint64_t>(counter.QuadPart);
    const auto perSecond = static_cast<uint64_t>(frequency.QuadPart);
    return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

void Win32Host::SleepMs(uint32_t milliseconds) {
    if (milliseconds > 0) {
        Sleep(milliseconds);
    }
}

DosDateTime Win32Host::LocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return MakeDosDateTime(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

bool Win32Host::CreateFolder(const std::u16string& path) {
    if (CreateDirectoryW(Wide(path), nullptr)) {
        return true;
    }
    // Also fails when the name exists: fine when it is a folder, not when it is a file.
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Host::WriteNewFile(const std::u16string& path, std::string_view bytes) {
    return qrv::WriteNewFile(path, bytes) == ERROR_SUCCESS;
}

void Win32Host::AppendToFile(const std::u16string& path, std::string_view bytes) {
    // Opened per line and closed at once, so readers see every line as soon as it is made.
    TUniqueHandle file(CreateFileW(Wide(path), FILE_APPEND_DATA,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Valid()) {
        WriteAll(file.Get(), bytes);
    }
}

std::optional<std::u16string> EnvironmentValue(std::u16string_view name) {
    const std::u16string key(name);
    std::u16string value;
    DWORD needed = GetEnvironmentVariableW(Wide(key), nullptr, 0);
    while (true) {
        if (needed == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::u16string();
        }
        value.resize(needed);
        const DWORD length = GetEnvironmentVariableW(Wide(key), WideBuffer(value), needed);
        if (length < needed) {
            value.resize(length);
            return value;
        }
        needed = length; // it grew in between: ask again with the new size
    }
}

} // namespace qrv::cadsim
