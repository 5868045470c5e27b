#include "driver/screenshot.h"

#include <windows.h>

#include "driver/error.h"
#include "driver/text.h"
#include "driver/wine.h"

namespace qrv::drive {

namespace {

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

void TakeScreenshot(const std::wstring& png_path, Milliseconds timeout) {
    if (!RunsUnderWine()) {
        throw DriverError("Screenshots are taken on the Linux side; this is not Wine");
    }
    wchar_t display[256];
    if (!GetEnvironmentVariableW(L"DISPLAY", display, 256)) {
        throw DriverError("No DISPLAY to take a screenshot of");
    }
    // Wine names a file that does not exist yet as long as its folder exists.
    wchar_t full[MAX_PATH];
    if (!GetFullPathNameW(png_path.c_str(), MAX_PATH, full, nullptr)) {
        ThrowLastError("Naming the screenshot " + ToUtf8(png_path));
    }
    const std::wstring final_path(full);
    const auto linux_path = ToLinuxPath(final_path);
    if (!linux_path) {
        throw DriverError("No Linux path for " + ToUtf8(final_path));
    }
    DeleteFileW(final_path.c_str());
    const std::string partial = *linux_path + ".partial.png";
    const std::string script = "import -window root -display " + ShellQuoted(ToUtf8(display)) +
                               " " + ShellQuoted(partial) + " && mv -f " + ShellQuoted(partial) +
                               " " + ShellQuoted(*linux_path);
    const std::wstring shell = ToWindowsPath("/bin/sh");
    std::wstring command_line = L"sh -c \"" + FromUtf8(script) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(shell.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        ThrowLastError("Starting ImageMagick's import");
    }
    // The handles Wine gives for a Linux program cannot be waited on; close them anyway.
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    WaitUntil([&] { return FileExists(final_path); }, timeout,
              "the screenshot " + ToUtf8(final_path));
}

} // namespace qrv::drive
