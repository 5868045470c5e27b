#pragma once
// A fixture for end-to-end tests of QRV3DOVEravar under Wine: a temp folder with the user's
// application-data folder and the simulated CAD library's call log, an environment as a
// catalogue sets it, and the program started from this build's dist folder with it.

#include "app/main_window_ids.h"
#include "driver/e2e.h"
#include "driver/list_box.h"
#include "driver/message_box.h"
#include "driver/process.h"
#include "driver/top_level.h"
#include "driver/window.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace qrv::e2e {

// A folder of the simulated library's variants (no-init, no-sleeping, no-qualifier,
// no-exportpart, wrong-arch), as a Windows path.
std::wstring CadSimVariant(const std::wstring& name);

// The demo basket of the repository as environment variables.
std::vector<EnvironmentChange> DemoBasket();

class ProgramTest : public TempFolderTest {
protected:
    ProgramTest();
    // After a failure: the last calls of the library and the program's windows, to tell a
    // program that did not answer from one that was not asked.
    void TearDown() override;

    // Sets (or, with no value, unsets) a variable of the program's environment.
    void SetEnv(const std::wstring& name, std::optional<std::wstring> value);
    void UseDemoBasket();

    // Starts the program (by default the one in this build's dist folder).
    drive::Process& Start(const std::wstring& program = DistPath(L"QRV3DOVEravar.exe"));
    // Waits for the main window, and then until its program controls have replaced the
    // starting panel and the start-up has ended.
    drive::Window WaitForMainWindow(drive::Milliseconds timeout = drive::kDefaultTimeout);
    drive::Window WaitUntilReady(drive::Milliseconds timeout = drive::kDefaultTimeout);
    // Waits until the start-up has restored the choices (the subfolder list is filled).
    drive::Window WaitUntilChoicesRestored(drive::Milliseconds timeout = drive::kDefaultTimeout);
    // A control of the main window by its identifier (app/main_window_ids.h).
    drive::Window Control(int id);
    // Waits until the Export button is enabled, or disabled.
    void WaitForExport(bool enabled);
    // Presses Export with the mouse and returns the progress dialog.
    drive::Window PressExport();
    // Closes the main window and returns the exit code.
    DWORD CloseAndWait();

    // The simulated library's call log: the call names, in order ("SetDirs|a|b|c|d" without
    // the time stamp).
    std::vector<std::wstring> Calls() const;
    // A call the library holds (CADSIM_FAULTS "Name@n=hold:<number>"): waits until the library
    // holds it, and lets it go on.
    void WaitForHold(int number) const;
    void LetGo(int number) const;
    std::wstring AppData() const { return appData_; }
    std::wstring SettingsFile() const;
    // Writes the settings file (UTF-16LE with its byte-order mark), creating its folders.
    void WriteSettings(const std::wstring& text) const;
    // The settings file's lines, decoded from UTF-16LE after checking its byte-order mark.
    std::vector<std::wstring> SettingsLines() const;

    // The main window's check lists.
    drive::CheckList FormatsList() { return drive::CheckList(Control(ids::FormatsList)); }
    drive::CheckList SubDirList() { return drive::CheckList(Control(ids::SubDirListBox)); }

    drive::Environment environment_;
    std::optional<drive::Process> program_;
    std::optional<drive::Window> main_;

private:
    std::wstring appData_;
    std::wstring log_;
};

// A picture of the display for the record: build folder/name.png. Only the x86_64 tests take
// them: when the i686 test process starts ImageMagick (a Linux program) under Wine, the
// program under test shuts down as if closed.
void SaveScreenshot(const std::string& folder, const std::string& name);

// The call name of a log line (its second field).
std::wstring CallName(const std::wstring& call);
// The call names of log lines.
std::vector<std::wstring> Names(const std::vector<std::wstring>& calls);

} // namespace qrv::e2e
