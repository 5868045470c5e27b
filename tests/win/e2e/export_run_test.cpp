// The export run end to end: Export pressed with the mouse, the simulated library exporting,
// the progress dialog, the error window, abort and Close.
#include "program_fixture.h"

#include "driver/input.h"
#include "driver/top_level.h"
#include "export/export_window_ids.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

namespace qrv::e2e {
namespace {

using drive::kDefaultTimeout;
using drive::WaitUntil;
using drive::Window;
using std::chrono::seconds;

struct Part {
    std::wstring partNo, type, id1, id2, cad;
};

std::vector<std::wstring> Only(const std::vector<std::wstring>& calls, const std::wstring& name) {
    std::vector<std::wstring> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [&](const auto& call) { return CallName(call) == name; });
    return found;
}

class ExportRunTest : public ProgramTest {
protected:
    ExportRunTest() {
        out_ = temp_.CreateFolder(L"out");
        SetEnv(L"ShopName", L"Shop");
        SetEnv(L"CADSIM_PART_DELAY_MS", L"0");
    }

    void SetParts(const std::vector<Part>& parts) {
        SetEnv(L"CADCount", std::to_wstring(parts.size()));
        for (size_t i = 0; i < parts.size(); ++i) {
            const std::wstring n = std::to_wstring(i);
            SetEnv(L"PartNo_" + n, parts[i].partNo);
            SetEnv(L"Type_" + n, parts[i].type);
            SetEnv(L"ID1_" + n, parts[i].id1);
            SetEnv(L"ID2_" + n, parts[i].id2);
            SetEnv(L"CAD_" + n, parts[i].cad);
        }
    }

    // Starts the program and makes Export pressable: two formats (STEP AP214 and STL), the
    // destination, the zip box as asked.
    void StartReady(const std::wstring& destination, bool zip = false) {
        Start();
        WaitUntilChoicesRestored();
        FormatsList().SetChecked(0, true);
        FormatsList().SetChecked(3, true);
        Control(ids::BrowseDestination).SetText(destination);
        if (zip) {
            Control(ids::cbCreateZip).Click();
        }
        WaitForExport(true);
    }
    void StartReady() { StartReady(out_); }

    // Presses Export with the mouse and returns the progress dialog.
    Window PressExport() {
        dialog_ = ProgramTest::PressExport();
        return dialog_;
    }
    Window DialogControl(int id) const { return dialog_.Child(id); }
    // Waits until the dialog offers Close, for as long as the library's log shows the run going
    // on: only a run that stands still for `stall` fails the wait.
    void WaitForTheEnd(drive::Milliseconds stall = std::chrono::seconds(60)) {
        const Window close = DialogControl(ids::btnAbort);
        const std::wstring log = temp_.PathOf(L"cadsim.log");
        drive::WaitWhileProgressing([&] { return close.Text() == L"Close"; },
                                    [&] {
                                        WIN32_FILE_ATTRIBUTE_DATA file{};
                                        GetFileAttributesExW(log.c_str(), GetFileExInfoStandard,
                                                             &file);
                                        return file.nFileSizeLow;
                                    },
                                    stall, "the run's end");
    }
    std::optional<Window> ErrorWindow() {
        const auto found =
            drive::FindTopLevelWindows(program_->Id(), {.className = ids::kErrorWindowClass});
        return found.empty() ? std::nullopt : std::optional<Window>(found.front());
    }
    std::vector<std::wstring> ErrorLines() {
        const auto window = ErrorWindow();
        return window ? SplitLines(window->Child(ids::memErrors).Text())
                      : std::vector<std::wstring>{};
    }
    // The error window gathers lines that come in quick succession for a moment.
    void ExpectErrorLines(const std::vector<std::wstring>& expected) {
        try {
            WaitUntil([&] { return ErrorLines() == expected; }, kDefaultTimeout, "the error lines");
        } catch (const drive::TimeoutError&) {
            EXPECT_EQ(ErrorLines(), expected);
        }
    }
    // Presses Close and returns the exit code.
    DWORD PressClose() {
        drive::RealClick(DialogControl(ids::btnAbort));
        return program_->WaitForExit(seconds(30));
    }

    std::wstring out_;
    Window dialog_;
};

TEST_F(ExportRunTest, ThreePartsWithOneFailure) {
    SetParts({{L"A-1", L"TA", L"1A", L"2A", L"x~*~1"},
              {L"B-2", L"TB", L"1B", L"2B", L"y"},
              {L"C-3", L"TC", L"1C", L"2C", L"z"}});
    SetEnv(L"CADSIM_FAIL_PARTS", L"B-2");
    StartReady(out_, /*zip=*/true);
    const size_t before = Calls().size();
    PressExport();
    WaitForTheEnd();

    EXPECT_EQ(dialog_.Text(), L"Export progress");
    EXPECT_EQ(DialogControl(ids::lblPartNo).Text(), L"Export finished");
    EXPECT_EQ(DialogControl(ids::lblType).Text(), L"");
    EXPECT_EQ(DialogControl(ids::lblGood).Text(), L"Exported: 2");
    EXPECT_EQ(DialogControl(ids::lblBad).Text(), L"Failed parts: 1");
    EXPECT_EQ(DialogControl(ids::lblAll).Text(), L"Total: 3");
    const Window bar = DialogControl(ids::detailsPgBar);
    EXPECT_EQ(bar.Send(PBM_GETPOS), 3);
    EXPECT_EQ(Control(ids::ProgressLabel).Text(), L"2+1/3");
    EXPECT_FALSE(Control(ids::btnExport).IsVisible());
    EXPECT_FALSE(Control(ids::btnExport).IsEnabled());
    EXPECT_FALSE(Control(ids::pgBar).IsVisible());

    const auto errors = ErrorWindow();
    ASSERT_TRUE(errors);
    EXPECT_TRUE(errors->IsVisible());
    EXPECT_EQ(errors->Text(), L"Failed parts");
    ExpectErrorLines({L"- B-2  TB   1B   2B"});

    // The run's calls, in order.
    const auto all = Calls();
    const std::vector<std::wstring> run(all.begin() + static_cast<long>(before), all.end());
    const std::wstring dirs = L"SetDirs|" + DistPath(L"demo\\cadlib\\") +
                              L"..\\..\\..\\..\\|\\software\\|" + out_ + L"\\|Shop";
    ASSERT_EQ(run.size(), 11u);
    EXPECT_EQ(run[0], dirs);
    EXPECT_EQ(run[1], dirs);
    EXPECT_EQ(run[2], L"SelectCADs|0,3");
    EXPECT_EQ(run[3], L"SelectSubDirs|0,1,2,3");
    EXPECT_EQ(run[4], L"SetZipMode|1");
    EXPECT_EQ(run[5], L"BeginExport");
    EXPECT_EQ(run[6], L"ExportPart|A-1|TA|1A|2A|x=1|1");
    EXPECT_TRUE(run[7].starts_with(L"ExportPart|B-2|TB|1B|2B|y|0|")) << run[7];
    EXPECT_EQ(run[8], L"ExportPart|C-3|TC|1C|2C|z|1");
    EXPECT_EQ(run[9], L"EndExport|" + out_ + L"\\Shop.zip");
    EXPECT_EQ(CallName(run[10]), L"CadStop");

    // The files, in the chosen subfolder levels, and the zip file.
    EXPECT_TRUE(FileExists(out_ + L"\\Shop\\STEP-AP214\\T\\TA\\A-1_STEP-AP214.stp"));
    EXPECT_TRUE(FileExists(out_ + L"\\Shop\\STL\\T\\TC\\C-3_STL.stl"));
    EXPECT_FALSE(FolderExists(out_ + L"\\Shop\\STL\\T\\TB"));
    EXPECT_EQ(ReadBytes(out_ + L"\\Shop.zip").substr(0, 4), std::string("PK\x03\x04", 4));

    // Close ends the program through the main window's close: settings saved, library gone.
    EXPECT_EQ(PressClose(), 0u);
    const auto tail = Calls();
    EXPECT_EQ(Names({tail.end() - 3, tail.end()}),
              (std::vector<std::wstring>{L"CadStop", L"LibFinalization", L"DllDetach"}));
    const auto lines = SettingsLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"ExportDestination=" + out_), lines.end());
}

TEST_F(ExportRunTest, EveryPartFailingListsThemAllInBasketOrder) {
    SetParts(
        {{L"P1", L"", L"", L"", L""}, {L"P2", L"T", L"", L"", L""}, {L"P3", L"", L"", L"", L""}});
    SetEnv(L"CADSIM_FAIL_PARTS", L"*");
    StartReady();
    PressExport();
    WaitForTheEnd();
    ExpectErrorLines({L"- P1        ", L"- P2  T      ", L"- P3        "});
    EXPECT_EQ(Control(ids::ProgressLabel).Text(), L"0+3/3");
    EXPECT_EQ(DialogControl(ids::lblBad).Text(), L"Failed parts: 3");
    EXPECT_EQ(PressClose(), 0u);
}

TEST_F(ExportRunTest, TheErrorWindowKeepsEveryLineOfALongRun) {
    // Well past the 32,767 characters an edit control holds unless told otherwise.
    std::vector<Part> parts;
    std::vector<std::wstring> expected;
    for (int i = 0; i < 1000; ++i) {
        const std::wstring n = std::to_wstring(100000 + i);
        parts.push_back({L"PART-" + n, L"TYPE-WITH-A-LONG-NAME", L"ID1-" + n, L"ID2-" + n, L""});
        expected.push_back(L"- PART-" + n + L"  TYPE-WITH-A-LONG-NAME   ID1-" + n + L"   ID2-" + n);
    }
    SetParts(parts);
    SetEnv(L"CADSIM_FAIL_PARTS", L"*");
    StartReady();
    PressExport();
    WaitForTheEnd();
    ExpectErrorLines(expected);
    EXPECT_EQ(Control(ids::ProgressLabel).Text(), L"0+1000/1000");
    EXPECT_EQ(PressClose(), 0u);
}

TEST_F(ExportRunTest, AnEmptyBasketBeginsEndsAndStops) {
    SetEnv(L"CADCount", L"0");
    StartReady();
    PressExport();
    WaitForTheEnd();
    EXPECT_EQ(DialogControl(ids::lblAll).Text(), L"Total: 0");
    EXPECT_EQ(DialogControl(ids::lblPartNo).Text(), L"Export finished");
    EXPECT_EQ(DialogControl(ids::detailsPgBar).Send(PBM_GETRANGE, FALSE, 0), 0);
    EXPECT_EQ(Control(ids::ProgressLabel).Text(), L"");
    EXPECT_FALSE(ErrorWindow()->IsVisible());
    const auto names = Names(Calls());
    const auto begin = std::find(names.begin(), names.end(), L"BeginExport");
    ASSERT_NE(begin, names.end());
    EXPECT_EQ(std::vector<std::wstring>(begin, names.end()),
              (std::vector<std::wstring>{L"BeginExport", L"EndExport", L"CadStop"}));
    EXPECT_EQ(PressClose(), 0u);
}

class AbortTest : public ExportRunTest {
protected:
    AbortTest() {
        SetParts({{L"A", L"T", L"", L"", L""},
                  {L"B", L"T", L"", L"", L""},
                  {L"C", L"T", L"", L"", L""}});
        SetEnv(L"CADSIM_PART_DELAY_MS", L"1500");
    }
    // Waits until the dialog shows the part, that is, the library works on it.
    void WaitForPart(const std::wstring& partNo) {
        DialogControl(ids::lblPartNo).WaitForText(partNo, seconds(30));
    }
};

TEST_F(AbortTest, DuringTheFirstPartOnlyThatPartIsHandedOver) {
    // The library holds the first part until both presses are made, however slowly they come.
    SetEnv(L"CADSIM_FAULTS", L"ExportPart@1=hold:1");
    StartReady();
    PressExport();
    WaitForHold(1);
    drive::RealClick(DialogControl(ids::btnAbort));
    drive::RealClick(DialogControl(ids::btnAbort)); // a second press changes nothing
    LetGo(1);
    WaitForTheEnd();
    EXPECT_EQ(DialogControl(ids::lblPartNo).Text(), L"Export cancelled");
    EXPECT_EQ(Only(Calls(), L"ExportPart"),
              (std::vector<std::wstring>{L"ExportPart|!fault|hold:1", L"ExportPart|A|T||||1"}));
    EXPECT_EQ(Control(ids::ProgressLabel).Text(), L"1+0/3");
    EXPECT_EQ(DialogControl(ids::detailsPgBar).Send(PBM_GETPOS), 0);
    EXPECT_EQ(Names(Calls()).back(), L"CadStop");
    EXPECT_EQ(PressClose(), 0u);
}

TEST_F(AbortTest, DuringTheLastPartEndsCancelledWithEveryPartHandedOver) {
    // Two long parts; a switch that does nothing but write a line when the library starts on
    // B tells when the press comes while the last part is exported.
    SetParts({{L"A", L"T", L"", L"", L""}, {L"B", L"T", L"", L"", L""}});
    SetEnv(L"CADSIM_PART_DELAY_MS", L"4000");
    SetEnv(L"CADSIM_FAULTS", L"ExportPart@2=hang:0");
    StartReady();
    PressExport();
    // The program answers nobody while the library works: the press is taken after B.
    Utf8Log(temp_.PathOf(L"cadsim.log")).WaitForLine(L"|ExportPart|!fault|hang:0", seconds(30));
    DialogControl(ids::btnAbort).PostClick();
    WaitForTheEnd();
    EXPECT_EQ(DialogControl(ids::lblPartNo).Text(), L"Export cancelled");
    const auto exported = Only(Calls(), L"ExportPart");
    ASSERT_EQ(exported.size(), 3u); // A, the switch's line as B begins, B
    EXPECT_TRUE(exported[2].starts_with(L"ExportPart|B|")) << exported[2];
    EXPECT_EQ(DialogControl(ids::detailsPgBar).Send(PBM_GETPOS), 1); // not at its maximum
    EXPECT_EQ(PressClose(), 0u);
}

TEST_F(AbortTest, TheDialogCannotBeClosedOtherwiseAndAMainCloseWaitsForTheRun) {
    StartReady();
    PressExport();
    WaitForPart(L"A");
    dialog_.Close();                     // a close request
    drive::PressKey(VK_ESCAPE);          // the dialog has the input
    main_->Close();                      // deferred until the run has ended
    Control(ids::btnExport).PostClick(); // hidden: nothing happens
    EXPECT_EQ(program_->WaitForExit(seconds(30)), 0u);
    const auto names = Names(Calls());
    EXPECT_EQ(std::count(names.begin(), names.end(), L"ExportPart"), 3); // the run went on
    EXPECT_EQ(std::count(names.begin(), names.end(), L"BeginExport"), 1);
    const auto end = std::find(names.begin(), names.end(), L"EndExport");
    ASSERT_NE(end, names.end());
    EXPECT_EQ(std::vector<std::wstring>(end, names.end()),
              (std::vector<std::wstring>{L"EndExport", L"CadStop", L"CadStop", L"LibFinalization",
                                         L"DllDetach"}));
}

TEST_F(AbortTest, EachPartBringsTheWindowsToTheFrontAndRestoresAMinimisedMain) {
    StartReady();
    PressExport();
    WaitForPart(L"A");
    // Taken in at the next pump, and undone by the bring-to-front right after it.
    main_->Post(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    WaitForTheEnd();
    EXPECT_FALSE(main_->IsMinimized());
    EXPECT_TRUE(main_->IsVisible());
    EXPECT_TRUE(dialog_.IsVisible());
    EXPECT_EQ(PressClose(), 0u);
}

TEST_F(ExportRunTest, DoubleClickOnTheProgressTextBringsUpTheDialog) {
    SetParts({{L"A", L"T", L"", L"", L""}});
    StartReady();
    // Before the first run: the dialog as no run has prepared it.
    const Window label = Control(ids::lblWindowsWillPopUp);
    const RECT rect = label.Rect();
    main_->BringToFront();
    drive::DoubleClickAt({rect.left + 5, (rect.top + rect.bottom) / 2});
    dialog_ = drive::WaitForTopLevelWindow(program_->Id(), {.className = ids::kExportDetailsClass});
    EXPECT_EQ(DialogControl(ids::lblPartNo).Text(), L"");
    EXPECT_EQ(DialogControl(ids::lblAll).Text(), L"");
    EXPECT_FALSE(DialogControl(ids::btnAbort).IsEnabled());
    dialog_.Close(); // one that no run has prepared may be put away
    drive::WaitForNoTopLevelWindow(program_->Id(), {.className = ids::kExportDetailsClass});

    PressExport();
    WaitForTheEnd();
    main_->BringToFront();
    const RECT progress = Control(ids::ProgressLabel).Rect();
    drive::DoubleClickAt({progress.left + 5, (progress.top + progress.bottom) / 2});
    WaitUntil([&] { return dialog_.IsAbove(*main_); }, kDefaultTimeout, "the dialog in front");
    EXPECT_EQ(PressClose(), 0u);
}

TEST_F(ExportRunTest, TheLibraryGetsOneTrailingBackslashAndDefaultForAnEmptyShop) {
    SetEnv(L"ShopName", L"");
    SetParts({{L"A", L"T", L"", L"", L""}});
    StartReady(out_ + L"\\");
    PressExport();
    WaitForTheEnd();
    const auto dirs = Only(Calls(), L"SetDirs"); // the start-up's, then the run's two
    ASSERT_EQ(dirs.size(), 3u);
    EXPECT_TRUE(dirs[0].ends_with(L"\\Quellon\\CADFiles\\|default")) << dirs[0];
    for (size_t i = 1; i < dirs.size(); ++i) {
        EXPECT_TRUE(dirs[i].ends_with(L"|" + out_ + L"\\|default")) << dirs[i];
    }
    EXPECT_EQ(PressClose(), 0u);
}

TEST_F(ExportRunTest, ADestinationThatVanishedIsCreatedAsOneLevel) {
    SetParts({{L"A", L"T", L"", L"", L""}});
    const std::wstring gone = temp_.CreateFolder(L"gone");
    StartReady(gone); // the start-up, which checks the destination last, has ended
    ASSERT_TRUE(Control(ids::btnExport).IsEnabled());
    ASSERT_TRUE(RemoveDirectoryW(gone.c_str()));
    PressExport();
    WaitForTheEnd();
    EXPECT_TRUE(FolderExists(gone));
    EXPECT_TRUE(FileExists(gone + L"\\Shop\\STL\\T\\T\\A_STL.stl"));
    EXPECT_EQ(PressClose(), 0u);
}

TEST_F(ExportRunTest, PartTextsReachTheLibraryInTheAnsiCodePage) {
    // The environment is read in the ANSI code page already, so the basket holds what the
    // code page keeps: é as it is, ř as r (Wine's best fit), Cyrillic as "?".
    SetParts({{L"Caf\u00e9-\u0159-\u041f", L"T", L"", L"", L""}});
    SetEnv(L"CADSIM_FAIL_PARTS", L"*");
    StartReady();
    PressExport();
    WaitForTheEnd();
    const auto parts = Only(Calls(), L"ExportPart");
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_TRUE(parts[0].starts_with(L"ExportPart|Caf\u00e9-r-?|T|")) << parts[0];
    ExpectErrorLines({L"- Caf\u00e9-r-?  T      "});
    EXPECT_EQ(PressClose(), 0u);
}

} // namespace
} // namespace qrv::e2e
