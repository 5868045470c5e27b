// The settings file the program keeps in the user's application-data folder: written at
// close, restored at the next start.
#include "program_fixture.h"

#include "driver/input.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <algorithm>

namespace qrv::e2e {
namespace {

using drive::CheckList;
using drive::kDefaultTimeout;
using drive::WaitUntil;

bool Contains(const std::vector<std::wstring>& lines, const std::wstring& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int Count(const std::vector<std::wstring>& calls, const std::wstring& name) {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [&](const auto& call) { return CallName(call) == name; }));
}

class SettingsFileTest : public ProgramTest {
protected:
    SettingsFileTest() {
        SetEnv(L"CADSIM_FORMATS", L"Format A (display)|Format A;Format B (display)|Format B;"
                                  L"Format C (display)|Format C");
    }
};

TEST_F(SettingsFileTest, FirstSaveWritesTheseLines) {
    Start();
    WaitUntilChoicesRestored();
    FormatsList().SetChecked(0, true);
    FormatsList().SetChecked(2, true);
    Control(ids::BrowseDestination).SetText(L"D:\\CAD\\Export");
    ASSERT_FALSE(FileExists(SettingsFile()));
    EXPECT_EQ(CloseAndWait(), 0u);
    EXPECT_EQ(SettingsLines(), (std::vector<std::wstring>{
                                   L"[Selection]",
                                   L"Formats=Format A~*~Format C~*~",
                                   L"SubDirOrder=0~*~1~*~2~*~3~*~4~*~",
                                   L"SubDir=X~*~X~*~X~*~X~*~~*~",
                                   L"CreateZipFile=",
                                   L"ExportDestination=D:\\CAD\\Export",
                               }));
}

TEST_F(SettingsFileTest, CloseAndRestartRestoreEveryChoice) {
    // A folder outside the ANSI code page: kept by the file and found by the Export rule.
    const std::wstring folder = temp_.CreateFolder(L"\u041f\u0440\u043e\u0435\u043a\u0442\u4e2d");
    Start();
    WaitUntilChoicesRestored();
    FormatsList().SetChecked(1, true);
    Control(ids::BrowseDestination).SetText(folder);
    WaitForExport(true); // the Cyrillic folder is found
    const CheckList subDirs = SubDirList();
    const RECT entry = subDirs.ItemRect(3);
    drive::RealClickAt(subDirs.GetWindow(), {entry.left + 60, (entry.top + entry.bottom) / 2});
    WaitUntil([&] { return Control(ids::btnMoveUp).IsEnabled(); }, kDefaultTimeout,
              "the move buttons");
    Control(ids::btnMoveUp).Click();
    Control(ids::btnMoveUp).Click();
    subDirs.SetChecked(0, false);
    subDirs.SetChecked(4, true);
    Control(ids::cbCreateZip).Click();
    const auto items = subDirs.Items();
    const auto marks = subDirs.CheckStates();
    EXPECT_EQ(items[1], L"Series");
    EXPECT_EQ(CloseAndWait(), 0u);

    Start();
    WaitUntilChoicesRestored();
    EXPECT_EQ(FormatsList().CheckStates(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(SubDirList().Items(), items);
    EXPECT_EQ(SubDirList().CheckStates(), marks);
    EXPECT_TRUE(Control(ids::cbCreateZip).IsChecked());
    EXPECT_EQ(Control(ids::BrowseDestination).Text(), folder);
    WaitForExport(true);
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(SettingsFileTest, AnEmptyExistingFileChecksNoCriterionAndKeepsUnicodeWhenSaved) {
    WriteSettings(L"");
    WriteBytes(SettingsFile(), ""); // zero bytes, not even a byte-order mark
    Start();
    WaitUntilChoicesRestored();
    EXPECT_EQ(SubDirList().CheckStates(), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_TRUE(Control(ids::BrowseDestination).Text().ends_with(L"\\Quellon\\CADFiles"));
    Control(ids::BrowseDestination).SetText(L"D:\\\u041f\u0440\u043e\u0435\u043a\u0442");
    EXPECT_EQ(CloseAndWait(), 0u);
    EXPECT_TRUE(
        Contains(SettingsLines(), L"ExportDestination=D:\\\u041f\u0440\u043e\u0435\u043a\u0442"));
}

TEST_F(SettingsFileTest, StoredValuesAreReadAsTheFileHoldsThemAndWrittenBackUnchanged) {
    WriteSettings(L"[Selection]\r\nFormats=Format C~*~Gone~*~\r\n"
                  L"SubDirOrder=4~*~3~*~2~*~1~*~0~*~\r\nSubDir=~*~~*~~*~~*~X~*~\r\n"
                  L"CreateZipFile=no\r\n");
    Start();
    WaitUntilChoicesRestored();
    EXPECT_EQ(FormatsList().CheckStates(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(SubDirList().Items(),
              (std::vector<std::wstring>{L"Part number", L"Series", L"First letter of series",
                                         L"CAD format", L"Basket name"}));
    EXPECT_EQ(SubDirList().CheckStates(), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(Control(ids::cbCreateZip).IsChecked()); // any value counts

    FormatsList().SetChecked(2, false); // no format checked: "Formats" keeps its value
    EXPECT_EQ(CloseAndWait(), 0u);
    const auto lines = SettingsLines();
    EXPECT_TRUE(Contains(lines, L"Formats=Format C~*~Gone~*~"));
    EXPECT_TRUE(Contains(lines, L"SubDirOrder=4~*~3~*~2~*~1~*~0~*~"));
    EXPECT_TRUE(Contains(lines, L"SubDir=~*~~*~~*~~*~X~*~"));
    EXPECT_TRUE(Contains(lines, L"CreateZipFile=X"));
}

TEST_F(SettingsFileTest, AnOrderThatIsNoPermutationIsRepairedAndOneNameChecksTwoFormats) {
    SetEnv(L"CADSIM_FORMATS", L"STEP one|STEP;IGES|IGES;STEP two|STEP");
    WriteSettings(L"[Selection]\r\nFormats=STEP~*~\r\nSubDirOrder=4~*~x~*~9~*~4~*~\r\n"
                  L"SubDir=X\r\n");
    Start();
    WaitUntilChoicesRestored();
    EXPECT_EQ(FormatsList().CheckStates(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(SubDirList().Items(),
              (std::vector<std::wstring>{L"Part number", L"Basket name", L"CAD format",
                                         L"First letter of series", L"Series"}));
    EXPECT_EQ(SubDirList().CheckStates(), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(CloseAndWait(), 0u);
    EXPECT_TRUE(Contains(SettingsLines(), L"SubDirOrder=4~*~0~*~1~*~2~*~3~*~"));
}

// A failed save is told once, names the file, and the program still closes in order.
class FailedSaveTest : public SettingsFileTest {
protected:
    void CloseExpectingTheMessage() {
        main_->Close();
        const auto box = drive::MessageBoxWindow::WaitFor(program_->Id());
        EXPECT_EQ(box.Message(),
                  L"The settings could not be saved. Unable to write to " + SettingsFile());
        box.Press(IDOK);
        EXPECT_EQ(program_->WaitForExit(), 0u);
        EXPECT_FALSE(drive::MessageBoxWindow::Find(program_->Id()));
        const auto calls = Calls();
        EXPECT_EQ(Count(calls, L"LibFinalization"), 1);
        EXPECT_EQ(CallName(calls.back()), L"DllDetach");
    }
};

TEST_F(FailedSaveTest, WhenAnotherProgramHoldsTheFile) {
    WriteSettings(L"[Selection]\r\nCreateZipFile=\r\n");
    const std::string before = ReadBytes(SettingsFile());
    Start();
    WaitUntilChoicesRestored();
    Control(ids::cbCreateZip).Click();
    {
        const TUniqueHandle held(CreateFileW(SettingsFile().c_str(), GENERIC_READ, 0, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.Valid());
        CloseExpectingTheMessage();
    }
    EXPECT_EQ(ReadBytes(SettingsFile()), before);
}

TEST_F(FailedSaveTest, WhenTheSettingsFolderCannotBeCreated) {
    WriteBytes(AppData() + L"\\Quellon", "a file where the folder should be");
    Start();
    WaitUntilChoicesRestored();
    CloseExpectingTheMessage();
}

TEST_F(SettingsFileTest, ACloseRequestDuringTheShutdownDoesNotRunItAgain) {
    Start();
    WaitUntilChoicesRestored();
    // Both requests wait in the queue; the shutdown's pumps meet the second one.
    main_->Close();
    main_->Close();
    EXPECT_EQ(program_->WaitForExit(), 0u);
    const auto calls = Calls();
    EXPECT_EQ(Count(calls, L"CadStop"), 1);
    EXPECT_EQ(Count(calls, L"LibFinalization"), 1);
    EXPECT_EQ(Count(calls, L"DllDetach"), 1);
}

} // namespace
} // namespace qrv::e2e
