#pragma once
// Helpers for end-to-end tests of the program under Wine: where the built program lies, temp
// folders of a test's own, environments to start the program with, and reading the files it
// (or the simulated CAD library) writes.

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/environment.h"
#include "driver/wait.h"

namespace qrv::e2e {

// The ready-to-copy program folder of this build (dist/win64 or dist/win32), as a Windows path.
std::wstring DistDir();
// A file or folder in it: DistPath(L"QRV3DOVEravar.exe").
std::wstring DistPath(std::wstring_view relative);

// A folder of its own in the prefix's temp folder; removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(std::wstring_view namePrefix = L"qrv-e2e");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    // A path inside the folder; creates nothing.
    std::wstring PathOf(std::wstring_view relative) const;
    // Creates a folder inside (with its parents) and returns its path.
    std::wstring CreateFolder(std::wstring_view relative) const;

private:
    std::wstring path_;
};

// A test fixture with a temp folder.
class TempFolderTest : public ::testing::Test {
protected:
    TempFolder temp_;
};

// Changes to an environment: a value sets the variable, no value unsets it.
struct EnvironmentChange {
    std::wstring name;
    std::optional<std::wstring> value;
};
// The test's own environment (or an empty one) with the changes applied in order.
drive::Environment MakeEnvironment(std::initializer_list<EnvironmentChange> changes,
                                   bool startFromCurrent = true);

// Files. Every reader opens the file so that the program may go on writing it, and throws
// drive::DriverError when it cannot be read.
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, std::string_view bytes);
std::wstring ReadUtf8File(const std::wstring& path); // a leading byte-order mark is dropped
void WriteUtf8File(const std::wstring& path, std::wstring_view text);
std::wstring ReadUtf16File(const std::wstring& path); // UTF-16LE; a leading BOM is dropped
void WriteUtf16File(const std::wstring& path, std::wstring_view text, bool withBom = true);
// Lines ended by "\n" or "\r\n"; a last line without an end counts too.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// A UTF-8 log that another process writes line by line.
class Utf8Log {
public:
    explicit Utf8Log(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& Path() const { return path_; }
    // Every complete line so far; none while the file does not exist.
    std::vector<std::wstring> Lines() const;
    // The complete lines added since the last call of NewLines (or since construction).
    std::vector<std::wstring> NewLines();
    // Waits for a complete line that contains `text` and returns it.
    std::wstring WaitForLine(std::wstring_view text,
                             drive::Milliseconds timeout = drive::kDefaultTimeout) const;

private:
    std::wstring path_;
    size_t linesSeen_ = 0;
};

// The performance counter in milliseconds: the clock of the simulated library's log lines,
// the same for every process on the machine.
double PerformanceCounterMs();

} // namespace qrv::e2e
