#pragma once
// The message boxes and the library owner's steps on the system as the start-up and the
// shutdown reach them, each call written into a log that the test shares with its other fakes.

#include "app/cad_library_owner.h"
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

// The owner's steps on the system; the module's loading and unloading are logged as
// LoadCADBasket and UnloadCADBasket.
class RecordingLibraryOwner final : public TCADLibraryOwner {
public:
    bool folderExists = true;
    bool loadRefused = false;         // loading the module throws LibraryRefused
    bool loadLeavesNoLibrary = false; // loading the module leaves no library loaded
    bool loaded = false;
    CadLibrary* library = nullptr;
    std::function<void()> onRestorePath; // the first step of the unloading

    explicit RecordingLibraryOwner(Log& log) : log_(log) {}
    bool LibraryLoaded() const override { return loaded; }
    CadLibrary& Library() override { return *library; }

private:
    void PutInFrontOfPath(const std::u16string& folder) override {
        log_.push_back("PutInFrontOfPath|" + Utf16ToUtf8(folder));
    }
    void RestorePath() override {
        log_.push_back("RestorePath");
        if (onRestorePath) {
            onRestorePath();
        }
    }
    bool FolderExists(const std::u16string&) override { return folderExists; }
    void SetCurrentFolder(const std::u16string& folder) override {
        log_.push_back("SetCurrentFolder|" + Utf16ToUtf8(folder));
    }
    void LoadModule(const std::u16string& folder) override {
        log_.push_back("LoadCADBasket|" + Utf16ToUtf8(folder));
        if (loadRefused) {
            throw LibraryRefused();
        }
        loaded = !loadLeavesNoLibrary;
    }
    void UnloadModule() override { log_.push_back("UnloadCADBasket"); }
    void Pump() override { log_.push_back("Pump"); }

    Log& log_;
};

} // namespace qrv::testing
