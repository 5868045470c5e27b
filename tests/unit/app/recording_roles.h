#pragma once
// A program session on recording roles: the shell, the message boxes, the library owner's steps
// on the system and the main window, each call written into one log that the test shares with
// its other fakes.

#include "app/program_session.h"
#include "export/fake_check_list.h"
#include "platform/utf.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace qrv::testing {

using Log = std::vector<std::string>;

// A clock that only Sleep moves, and a close request that comes during a chosen pump.
class RecordingShell final : public TProgramShell {
public:
    int closeAtPump = 0; // counted from 1; 0: never
    TCloseGate* closeGate = nullptr;

    explicit RecordingShell(Log& log) : log_(log) {}
    void Pump() override {
        log_.push_back("Pump");
        if (++pumps_ == closeAtPump) {
            closeGate->RequestClose();
        }
    }
    void Sleep(int milliseconds) override { nowMs_ += milliseconds; }
    int64_t NowInMilliseconds() override { return nowMs_; }
    void RequestTerminate() override { log_.push_back("RequestTerminate"); }

private:
    Log& log_;
    int pumps_ = 0;
    int64_t nowMs_ = 0;
};

class RecordingMessages final : public TProgramMessages {
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
    TCADLibrary* library = nullptr;
    std::function<void()> onRestorePath; // the first step of the unloading

    RecordingLibraryOwner(Log& log, TProgramShell& shell) : TCADLibraryOwner(shell), log_(log) {}
    bool LibraryLoaded() const override { return loaded; }
    std::u16string LibraryPath() const override {
        return loaded ? u"C:\\lib\\CADBasketDLL.dll" : u"";
    }
    TCADLibrary& Library() override { return *library; }

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
    void UnloadModule(TProgramShell&) override { log_.push_back("UnloadCADBasket"); }

    Log& log_;
};

class LoggingCheckList final : public FakeCheckList {
public:
    LoggingCheckList(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    void Clear() override {
        log_.push_back(name_ + " Clear");
        FakeCheckList::Clear();
    }
    void Add(const std::u16string& caption) override {
        log_.push_back(name_ + " Add|" + Utf16ToUtf8(caption));
        FakeCheckList::Add(caption);
    }

private:
    std::string name_;
    Log& log_;
};

// The main window's steps and the values it is given; the title stands for all the texts.
class RecordingMainWindow final : public TMainWindowView {
public:
    LoggingCheckList formats;
    LoggingCheckList subDirs;
    std::u16string destination;
    TCADFolders cadFolders;
    bool createZip = false;

    explicit RecordingMainWindow(Log& log)
        : formats("FormatsList", log), subDirs("SubDirListBox", log), log_(log) {}
    void InstallRestoreProcedure() override { log_.push_back("InstallRestoreProcedure"); }
    void ShowMainWindow() override { log_.push_back("ShowMainWindow"); }
    void ShowStartingPanel() override { log_.push_back("StartingPanel"); }
    void ShowProgramControls() override { log_.push_back("ProgramControls"); }
    void UpdateExportButton() override { log_.push_back("UpdateExportButton"); }
    TCADFolders CADFolders() const override { return cadFolders; }
    void SetCADFolders(const TCADFolders& folders) override {
        log_.push_back("SetCadFolders|" + Utf16ToUtf8(folders.cadData) + "|" +
                       Utf16ToUtf8(folders.cadSoftware));
        cadFolders = folders;
    }
    TCheckListView& FormatsList() override { return formats; }
    TCheckListView& SubDirListBox() override { return subDirs; }
    void PostClose() override {}
    void SetApplicationTitle(const std::string& title) override {
        log_.push_back("SetApplicationTitle|" + title);
    }
    void SetCaption(int, const std::u16string&) override {}
    void SetStartingPanelCaption(const std::string&) override {}
    void SetHint(int, const std::u16string&) override {}
    std::u16string Hint(int) const override { return {}; }
    void SetExportButtonLabel(const std::u16string&) override {}
    std::u16string Destination() const override { return destination; }
    void SetDestination(const std::u16string& text) override {
        log_.push_back("SetDestination|" + Utf16ToUtf8(text));
        destination = text;
    }
    bool CreateZip() const override { return createZip; }
    void SetCreateZip(bool on) override { createZip = on; }
    void SetProgressText(const std::u16string& text) override {
        log_.push_back("SetProgressText|" + Utf16ToUtf8(text));
    }
    void HideExportButton() override {}
    void ShowProgressBar(int32_t) override {}
    void SetProgressPosition(int32_t) override {}
    void HideProgressBar() override {}
    void BringWindowsToFront() override { log_.push_back("BringWindowsToFront"); }

private:
    Log& log_;
};

struct RecordedSession {
    RecordedSession() { shell.closeGate = &session.closeGate; }

    Log log;
    RecordingShell shell{log};
    RecordingMessages messages{log};
    RecordingLibraryOwner library{log, shell};
    RecordingMainWindow mainWindow{log};
    TProgramSession session{shell, messages, library, mainWindow};
};

} // namespace qrv::testing
