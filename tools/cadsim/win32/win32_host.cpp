#include "cadsim/win32/win32_host.h"

#include <windows.h>

#include <algorithm>

namespace qrv::cadsim {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        const bool closed = !IsOpen() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace

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
    FileHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsOpen() && WriteAll(file.Get(), bytes) && file.Close();
}

void Win32Host::AppendToFile(const std::u16string& path, std::string_view bytes) {
    // Opened per line and closed at once, so readers see every line as soon as it is made.
    FileHandle file(CreateFileW(Wide(path), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsOpen()) {
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
        const DWORD length =
            GetEnvironmentVariableW(Wide(key), reinterpret_cast<wchar_t*>(value.data()), needed);
        if (length < needed) {
            value.resize(length);
            return value;
        }
        needed = length; // it grew in between: ask again with the new size
    }
}

} // namespace qrv::cadsim
