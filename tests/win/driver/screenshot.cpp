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

void TakeScreenshot(const std::wstring& pngPath, Milliseconds timeout) {
    if (!RunsUnderWine()) {
        throw DriverError("Screenshots are taken on the Linux side; this is not Wine");
    }
    wchar_t display[256];
    if (!GetEnvironmentVariableW(L"DISPLAY", display, 256)) {
        throw DriverError("No DISPLAY to take a screenshot of");
    }
    // Wine names a file that does not exist yet as long as its folder exists.
    wchar_t full[MAX_PATH];
    if (!GetFullPathNameW(pngPath.c_str(), MAX_PATH, full, nullptr)) {
        ThrowLastError("Naming the screenshot " + ToUtf8(pngPath));
    }
    const std::wstring finalPath(full);
    const auto linuxPath = ToLinuxPath(finalPath);
    if (!linuxPath) {
        throw DriverError("No Linux path for " + ToUtf8(finalPath));
    }
    DeleteFileW(finalPath.c_str());
    const std::string partial = *linuxPath + ".partial.png";
    const std::string script = "import -window root -display " + ShellQuoted(ToUtf8(display)) +
                               " " + ShellQuoted(partial) + " && mv -f " + ShellQuoted(partial) +
                               " " + ShellQuoted(*linuxPath);
    const std::wstring shell = ToWindowsPath("/bin/sh");
    std::wstring commandLine = L"sh -c \"" + FromUtf8(script) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(shell.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        ThrowLastError("Starting ImageMagick's import");
    }
    // The handles Wine gives for a Linux program cannot be waited on; close them anyway.
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    WaitUntil([&] { return FileExists(finalPath); }, timeout,
              "the screenshot " + ToUtf8(finalPath));
}

} // namespace qrv::drive
