// A run the user follows from elsewhere and finishes later: the times on the progress dialog, the
// taskbar button, the destination opened from the ended dialog, the failed parts saved as a file.
#include "program_fixture.h"

#include "driver/error.h"
#include "driver/input.h"
#include "driver/wine.h"
#include "export/export_window_ids.h"

#include <windows.h>

#include <optional>
#include <regex>

namespace qrv::e2e {
namespace {

using drive::Window;
using std::chrono::seconds;

// The stand-in as the taskbar list's server while the test runs, in HKLM\Software\Classes: Wine
// 8's COM reads no user classes (HKCU\Software\Classes). Wine's own is put back after.
struct TaskbarListStandIn {
    TaskbarListStandIn() {
        DWORD size = sizeof(wine_);
        RegGetValueW(HKEY_LOCAL_MACHINE, kServer, nullptr, RRF_RT_REG_SZ, nullptr, wine_, &size);
        Set(drive::ToWindowsPath(QRV_TASKBAR_LIST_STAND_IN).c_str());
    }
    ~TaskbarListStandIn() { Set(wine_); }
    static constexpr wchar_t kServer[] =
        L"Software\\Classes\\CLSID\\{56FDF344-FD6D-11d0-958A-006097C9A090}\\InprocServer32";
    static void Set(const wchar_t* server) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kServer, nullptr, REG_SZ, server,
                        static_cast<DWORD>((wcslen(server) + 1) * sizeof(wchar_t)));
    }
    wchar_t wine_[MAX_PATH] = L"";
};

bool Matches(const std::wstring& text, const wchar_t* pattern) {
    return std::regex_match(text, std::wregex(pattern));
}
using LongRunTest = ProgramTest;

TEST_F(LongRunTest, WithAFailureAndAnAbortOnTheDialogTheTaskbarAndInFiles) {
    const TaskbarListStandIn standIn;
    const std::wstring out = temp_.CreateFolder(L"Exported parts");
    UseDemoBasket();
    SetEnv(L"QRV_TASKBAR_LOG", temp_.PathOf(L"taskbar.log"));
    SetEnv(L"CADSIM_PART_DELAY_MS", L"2000");
    SetEnv(L"CADSIM_FAIL_PARTS", L"ISO 4032 M8");
    // A switch that does nothing but write a line when the library starts on the fourth part.
    SetEnv(L"CADSIM_FAULTS", L"ExportPart@4=hang:0");
    Start();
    WaitUntilChoicesRestored();
    FormatsList().SetChecked(3, true);
    Control(ids::BrowseDestination).SetText(out);
    WaitForExport(true);
    // Wine's shell makes no taskbar button, so the test tells the program as the shell would.
    drive::WaitForTopLevelWindow(program_->Id(), {.className = ids::kApplicationWindowClass})
        .Send(RegisterWindowMessageW(L"TaskbarButtonCreated"));
    const Window dialog = PressExport();
    const Window elapsed = dialog.Child(ids::lblTimeElapsed);
    const Window left = dialog.Child(ids::lblTimeLeft);
    drive::WaitUntil([&] { return !left.Text().empty(); }, seconds(30), "the time left");
    EXPECT_TRUE(Matches(left.Text(), L"About [23]0 seconds left")) << left.Text(); // 10 * 2 s
    EXPECT_TRUE(Matches(elapsed.Text(), L"Time elapsed: 0:0[4-9]")) << elapsed.Text();
    SaveScreenshot("long-run-screenshots", "progress-dialog-running");
    // Abort during the fourth part (the program takes the press after it): the run ends there.
    Utf8Log(temp_.PathOf(L"cadsim.log")).WaitForLine(L"|ExportPart|!fault|hang:0", seconds(30));
    dialog.Child(ids::btnAbort).PostClick();
    dialog.Child(ids::btnAbort).WaitForText(L"Close", seconds(30));
    EXPECT_TRUE(Matches(elapsed.Text(), L"Total time: 0:(0[8-9]|1[0-9])")) << elapsed.Text();
    EXPECT_EQ(left.Text(), L"");
    const std::wstring button = L" TQRV3DOVEravarApplication ";
    EXPECT_EQ(SplitLines(ReadUtf8File(temp_.PathOf(L"taskbar.log"))),
              (std::vector<std::wstring>{
                  L"HrInit", L"SetProgressState" + button + L"2", // normal
                  L"SetProgressValue" + button + L"0/12", L"SetProgressValue" + button + L"1/12",
                  L"SetProgressState" + button + L"4", // error: the second part failed
                  L"SetProgressValue" + button + L"2/12", L"SetProgressValue" + button + L"3/12",
                  L"SetProgressState" + button + L"8", // paused: the abort waits
                  L"SetProgressValue" + button + L"4/12",
                  L"SetProgressState" + button + L"0"})); // cleared
    const Window open = dialog.Child(ids::btnOpenFolder);
    EXPECT_EQ(open.Text(), L"Open folder");
    SaveScreenshot("long-run-screenshots", "progress-dialog-ended");
    // Saved as the user left the list: the failed part's fields, and a line of the user's own.
    // Before the file manager's window comes and goes, which may leave the keyboard's focus
    // with no window of the program.
    const Window memo =
        drive::WaitForTopLevelWindow(program_->Id(), {.className = ids::kErrorWindowClass})
            .Child(ids::memErrors);
    const std::wstring edited =
        L"- ISO 4032 M8  ISO4032   1004032008000   HEXNUT-M8\r\n\r\nT\u00fcr";
    memo.SetText(edited);
    memo.Focus();
    drive::PressKey('S', drive::kControl);
    const Window save = drive::WaitForTopLevelWindow(program_->Id(), {.className = L"#32770"});
    const Window name = save.WaitForChild(drive::ControlQuery::ByClass(L"Edit"));
    name.WaitForText(L"Failed parts.txt");
    Sleep(500); // painted, for the screenshot
    SaveScreenshot("long-run-screenshots", "error-window-save");
    name.SetText(L"failed.txt"); // in the destination, where the dialog opens
    save.Child({.id = IDOK, .className = L"Button"}).Click();
    const std::wstring file = out + L"\\failed.txt";
    // The program holds the file unshared while it writes it: readable means written whole.
    const std::string saved = drive::WaitForValue(
        [&]() -> std::optional<std::string> {
            try {
                return ReadBytes(file);
            } catch (const drive::DriverError&) {
                return std::nullopt;
            }
        },
        seconds(10), "the saved list");
    EXPECT_EQ(saved.substr(0, 5), "\xEF\xBB\xBFIS");
    EXPECT_EQ(ReadUtf8File(file),
              L"ISO 4032 M8\tISO4032\t1004032008000\tHEXNUT-M8\r\nT\u00fcr\t\t\t\r\n");
    EXPECT_EQ(memo.Text(), edited);
    // The destination, opened in the file manager's window; the program goes on.
    open.Click();
    drive::WaitUntil([&] { return FindWindowW(L"ExplorerWClass", L"Exported parts") != nullptr; },
                     seconds(30), "the file manager's window of the destination");
    Window(FindWindowW(L"ExplorerWClass", L"Exported parts")).Close();
    drive::RealClick(dialog.Child(ids::btnAbort));
    EXPECT_EQ(program_->WaitForExit(seconds(30)), 0u);
}

} // namespace
} // namespace qrv::e2e
