#include "driver/e2e.h"

#include <windows.h>

#include <atomic>

#include "driver/error.h"
#include "driver/text.h"
#include "driver/wine.h"
#include "platform/win32/unique_handle.h"

namespace qrv::e2e {

using drive::DriverError;
using drive::ThrowLastError;
using drive::ToUtf8;

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

TUniqueHandle OpenForReading(const std::wstring& path) {
    TUniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        ThrowLastError("Opening " + ToUtf8(path));
    }
    return file;
}

std::wstring WithoutByteOrderMark(std::wstring text) {
    if (!text.empty() && text.front() == 0xFEFF) {
        text.erase(0, 1);
    }
    return text;
}

// The complete lines of a text that another process may still be writing: a last line
// without its end is left out.
std::vector<std::wstring> CompleteLines(std::wstring_view text) {
    const size_t end = text.rfind(L'\n');
    return end == std::wstring_view::npos ? std::vector<std::wstring>{}
                                          : SplitLines(text.substr(0, end + 1));
}

} // namespace

std::wstring DistDir() {
    return drive::ToWindowsPath(QRV_DIST_DIR);
}

std::wstring DistPath(std::wstring_view relative) {
    return DistDir() + L"\\" + std::wstring(relative);
}

TempFolder::TempFolder(std::wstring_view namePrefix) {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        ThrowLastError("Finding the temp folder");
    }
    for (int attempt = 0;; ++attempt) {
        path_ = std::wstring(temp) + std::wstring(namePrefix) + L"-" +
                std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
        if (CreateDirectoryW(path_.c_str(), nullptr)) {
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS || attempt > 1000) {
            ThrowLastError("Creating the temp folder " + ToUtf8(path_));
        }
    }
}

TempFolder::~TempFolder() {
    // A program that has just ended may still hold a file for a moment.
    for (int attempt = 0; attempt < 20 && FolderExists(path_); ++attempt) {
        RemoveTree(path_);
        if (FolderExists(path_)) {
            Sleep(50);
        }
    }
}

std::wstring TempFolder::PathOf(std::wstring_view relative) const {
    return path_ + L"\\" + std::wstring(relative);
}

std::wstring TempFolder::CreateFolder(std::wstring_view relative) const {
    const std::wstring full = PathOf(relative);
    for (size_t end = path_.size() + 1; end <= full.size(); ++end) {
        if (end == full.size() || full[end] == L'\\' || full[end] == L'/') {
            const std::wstring part = full.substr(0, end);
            if (!CreateDirectoryW(part.c_str(), nullptr) &&
                GetLastError() != ERROR_ALREADY_EXISTS) {
                ThrowLastError("Creating the folder " + ToUtf8(part));
            }
        }
    }
    return full;
}

drive::Environment MakeEnvironment(std::initializer_list<EnvironmentChange> changes,
                                   bool startFromCurrent) {
    drive::Environment environment =
        startFromCurrent ? drive::Environment::Current() : drive::Environment();
    for (const auto& change : changes) {
        if (change.value) {
            environment.Set(change.name, *change.value);
        } else {
            environment.Unset(change.name);
        }
    }
    return environment;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadBytes(const std::wstring& path) {
    const auto file = OpenForReading(path);
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    return bytes;
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    TUniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        ThrowLastError("Creating " + ToUtf8(path));
    }
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        ThrowLastError("Writing " + ToUtf8(path));
    }
}

std::wstring ReadUtf8File(const std::wstring& path) {
    return WithoutByteOrderMark(drive::FromUtf8(ReadBytes(path)));
}

void WriteUtf8File(const std::wstring& path, std::wstring_view text) {
    WriteBytes(path, ToUtf8(text));
}

std::wstring ReadUtf16File(const std::wstring& path) {
    const std::string bytes = ReadBytes(path);
    std::wstring text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return WithoutByteOrderMark(std::move(text));
}

void WriteUtf16File(const std::wstring& path, std::wstring_view text, bool withBom) {
    std::string bytes;
    if (withBom) {
        bytes += "\xFF\xFE";
    }
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    WriteBytes(path, bytes);
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        std::wstring line(text.substr(start, end - start));
        if (!line.empty() && line.back() == L'\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::vector<std::wstring> Utf8Log::Lines() const {
    if (!FileExists(path_)) {
        return {};
    }
    return CompleteLines(ReadUtf8File(path_));
}

std::vector<std::wstring> Utf8Log::NewLines() {
    auto lines = Lines();
    if (lines.size() < linesSeen_) {
        linesSeen_ = 0; // the file was started again
    }
    std::vector<std::wstring> added(lines.begin() + static_cast<std::ptrdiff_t>(linesSeen_),
                                    lines.end());
    linesSeen_ = lines.size();
    return added;
}

std::wstring Utf8Log::WaitForLine(std::wstring_view text, drive::Milliseconds timeout) const {
    return drive::WaitForValue(
        [&]() -> std::optional<std::wstring> {
            for (auto& line : Lines()) {
                if (line.find(text) != std::wstring::npos) {
                    return std::move(line);
                }
            }
            return std::nullopt;
        },
        timeout, "a line with \"" + ToUtf8(text) + "\" in " + ToUtf8(path_));
}

double PerformanceCounterMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

} // namespace qrv::e2e
