#pragma once
// The message boxes and the library owner as the start-up and the shutdown see them, each
// call written into a log that the test shares with its other fakes.

#include "app/cad_library_lifetime.h"
#include "app/program_shell.h"
#include "platform/utf.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace qrv::testing {

using Log = std::vector<std::string>;

class RecordingMessages final : public ProgramMessages {
public:
    explicit RecordingMessages(Log& log) : log_(log) {}
    void ShowMessageBox(const std::u16string& text) override {
        log_.push_back("Message|" + Utf16ToUtf8(text));
    }
    void ReportError(const std::exception& error) override {
        log_.push_back(std::string("ErrorReport|") + error.what());
    }

private:
    Log& log_;
};

struct LibraryRefused : std::exception {};

class RecordingLibraryOwner final : public CadLibraryOwner {
public:
    bool loadRefused = false;         // LoadCADLibrary throws LibraryRefused
    bool loadLeavesNoLibrary = false; // LoadCADLibrary returns with no library loaded
    CadLibrary* library = nullptr;
    std::function<void()> onUnload;

    explicit RecordingLibraryOwner(Log& log) : log_(log) {}
    void LoadCADLibrary(const std::u16string& folder) override {
        log_.push_back("LoadCADLibrary|" + Utf16ToUtf8(folder));
        if (loadRefused) {
            throw LibraryRefused();
        }
        loaded_ = !loadLeavesNoLibrary;
    }
    void UnloadCADLibrary() override {
        log_.push_back("UnloadCADLibrary");
        if (onUnload) {
            onUnload();
        }
    }
    bool LibraryLoaded() const override { return loaded_; }
    CadLibrary& Library() override { return *library; }

private:
    Log& log_;
    bool loaded_ = false;
};

} // namespace qrv::testing
