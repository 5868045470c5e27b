#pragma once
// A fixture for tests that load this build's simulated CADBasketDLL.dll: its settings in the
// process environment (call log in a temp folder, no delays), the folder to load it from, an
// export destination, and the call log's lines without their time stamps.

#include "settings/temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qrv::testing {

// Sets an environment variable of the test process (or unsets it) and restores it at the end.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
        const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
        if (size > 0) {
            std::wstring value(size, L'\0');
            value.resize(GetEnvironmentVariableW(name, value.data(), size));
            saved_ = std::move(value);
        }
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, saved_ ? saved_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* name_;
    std::optional<std::wstring> saved_;
};

inline std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

class CadLibraryUnderTest : public ::testing::Test {
protected:
    // The folder of this build's simulated library, as LoadCADBasket takes it (with the
    // separator at the end). Wine shows the Linux file system as drive Z:.
    static std::u16string LibraryFolder() {
        std::u16string folder = u"Z:" QRV_CADSIM_DIR;
        std::replace(folder.begin(), folder.end(), u'/', u'\\');
        return folder + u"\\";
    }

    // An existing, empty export destination, ending with a separator.
    std::wstring Destination() const {
        const auto folder = temp_.Path() / "dest";
        std::filesystem::create_directories(folder);
        return folder.wstring() + L"\\";
    }

    // The lines of the call log, each without its time stamp.
    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        const std::string log = ReadBytes(log_);
        size_t start = 0;
        while (start < log.size()) {
            size_t end = log.find('\n', start);
            if (end == std::string::npos) {
                end = log.size();
            }
            const std::string line = log.substr(start, end - start);
            const size_t bar = line.find('|');
            calls.push_back(bar == std::string::npos ? line : line.substr(bar + 1));
            start = end + 1;
        }
        return calls;
    }

private:
    TempFolder temp_;
    std::filesystem::path log_ = temp_.Path() / "cadsim.log";
    ScopedVariable logVariable_{L"CADSIM_LOG", log_.wstring().c_str()};
    ScopedVariable startDelay_{L"CADSIM_START_DELAY_MS", L"0"};
    ScopedVariable partDelay_{L"CADSIM_PART_DELAY_MS", L"0"};
    ScopedVariable neverIdle_{L"CADSIM_NEVER_IDLE", nullptr};
    ScopedVariable failParts_{L"CADSIM_FAIL_PARTS", nullptr};
    ScopedVariable formats_{L"CADSIM_FORMATS", nullptr};
};

} // namespace qrv::testing
