// A misbehaving CAD export library end to end: faults raised inside its functions (through the
// simulated library's CADSIM_FAULTS switches), absurd answers and names that cannot be stored.
// Whatever it does, the program reports it, keeps the user's settings and ends with code 0.
#include "program_fixture.h"

#include "controls/text_window_ids.h"
#include "driver/accessible.h"
#include "driver/input.h"
#include "driver/text.h"
#include "driver/top_level.h"
#include "export/export_window_ids.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <iostream>
#include <regex>

namespace qrv::e2e {
namespace {

using drive::MessageBoxWindow;
using drive::Window;
using std::chrono::seconds;

// Where the Wine bench runs i686 programs under qemu-user (QRV_I686_EMULATED=1), a processor
// fault reaches Wine without its trap number and Wine names it by guesswork (an access
// violation arrives as an illegal instruction). There the report is checked to name the
// function, and everything after it as anywhere else.
bool ProcessorFaultsAreMisnamed() {
    wchar_t value[2] = {};
    return GetEnvironmentVariableW(L"QRV_I686_EMULATED", value, 2) == 1 && value[0] == L'1';
}

bool Has(const std::vector<std::wstring>& calls, const std::wstring& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

// The event log's lines without their times of day, the milliseconds a call took as "N".
std::vector<std::wstring> EventLines(const std::wstring& text) {
    const std::wregex stamped(LR"(\d\d:\d\d:\d\d\.\d\d\d  (.*))");
    std::vector<std::wstring> lines;
    for (const std::wstring& line : SplitLines(text)) {
        std::wsmatch match;
        EXPECT_TRUE(std::regex_match(line, match, stamped)) << line;
        lines.push_back(std::regex_replace(match.str(1), std::wregex(LR"(\b\d+ ms\b)"), L"N ms"));
    }
    return lines;
}

// Set by SendMessageCallbackW's callback once the message is answered; outside the test, as the
// callback may come with a later look at the thread's messages after the test has failed.
bool gAnswered = false;
void CALLBACK NoteAnswered(HWND, UINT, ULONG_PTR, LRESULT) {
    gAnswered = true;
}

class LibraryFaultTest : public ProgramTest {
protected:
    LibraryFaultTest() {
        out_ = temp_.CreateFolder(L"out");
        SetEnv(L"ShopName", L"Shop");
        SetEnv(L"CADSIM_PART_DELAY_MS", L"0");
        SetEnv(L"CADCount", L"3");
        for (int i = 0; i < 3; ++i) {
            SetEnv(L"PartNo_" + std::to_wstring(i), L"P" + std::to_wstring(i + 1));
        }
    }

    void StartReady() {
        Start();
        WaitUntilChoicesRestored();
        FormatsList().SetChecked(0, true);
        Control(ids::BrowseDestination).SetText(out_);
        WaitForExport(true);
    }

    // The general error report: its text, after pressing OK.
    std::wstring Report() {
        const auto box = MessageBoxWindow::WaitFor(program_->Id(), seconds(60));
        const std::wstring text = box.Message();
        box.Press(IDOK);
        return text;
    }
    // The calls after the last one named so.
    std::vector<std::wstring> CallsAfter(const std::wstring& name) {
        const auto all = Calls();
        auto last = std::find_if(all.rbegin(), all.rend(),
                                 [&](const auto& call) { return CallName(call) == name; });
        return {last.base(), all.end()};
    }
    void ExpectUnloadedAtTheEnd() {
        const auto all = Calls();
        ASSERT_GE(all.size(), 2u);
        EXPECT_EQ(Names({all.end() - 2, all.end()}),
                  (std::vector<std::wstring>{L"LibFinalization", L"DllDetach"}));
    }

    std::wstring out_;
};

TEST_F(LibraryFaultTest, ExportPartAccessViolationIsReportedAndTheProgramCloses) {
    SetEnv(L"CADSIM_FAULTS", L"ExportPart@2=access-violation");
    StartReady();
    const Window dialog = PressExport();
    const std::wstring named = L"The CAD export library failed in ExportCAD_ExportPart: ";
    if (ProcessorFaultsAreMisnamed()) {
        EXPECT_EQ(Report().substr(0, named.size()), named);
    } else {
        EXPECT_EQ(Report(), named + L"access violation (0xC0000005)");
    }

    // One good part, the fault, then the export ended once; the run stops the CAD system no
    // more (the shutdown does).
    const auto run = CallsAfter(L"BeginExport");
    ASSERT_EQ(run.size(), 3u);
    EXPECT_EQ(run[0], L"ExportPart|P1|||||1");
    EXPECT_EQ(run[1], L"ExportPart|!fault|access-violation");
    EXPECT_EQ(CallName(run[2]), L"EndExport");

    // The dialog offers Close, which ends the program normally with the choices saved.
    const Window close = dialog.Child(ids::btnAbort);
    close.WaitForText(L"Close");
    EXPECT_TRUE(close.IsEnabled());
    drive::RealClick(close);
    EXPECT_EQ(program_->WaitForExit(seconds(30)), 0u);
    const auto tail = CallsAfter(L"EndExport");
    EXPECT_EQ(Names(tail),
              (std::vector<std::wstring>{L"CadStop", L"LibFinalization", L"DllDetach"}));
    const auto lines = SettingsLines();
    EXPECT_TRUE(Has(lines, L"ExportDestination=" + out_));
    EXPECT_TRUE(Has(lines, L"Formats=STEP-AP214~*~"));
}

TEST_F(LibraryFaultTest, EveryKindOfFaultInAPartIsNamed) {
    const std::vector<std::pair<std::wstring, std::wstring>> kinds = {
        {L"msvc-throw", L"Visual C++ exception (0xE06D7363)"},
        {L"delphi-throw", L"Delphi exception (0x0EEDFADE)"},
        {L"raise:0x2A", L"exception 0x0000002A"},
        {L"illegal-instruction", L"illegal instruction (0xC000001D)"},
        {L"divide-by-zero", L"integer division by zero (0xC0000094)"},
    };
    for (const auto& [kind, description] : kinds) {
        SetEnv(L"CADSIM_FAULTS", L"ExportPart@1=" + kind);
        StartReady();
        PressExport();
        EXPECT_EQ(Report(),
                  L"The CAD export library failed in ExportCAD_ExportPart: " + description);
        EXPECT_EQ(CloseAndWait(), 0u) << kind;
        ExpectUnloadedAtTheEnd();
    }
}

TEST_F(LibraryFaultTest, ASecondFaultInEndExportIsNamedInTheSameReport) {
    SetEnv(L"CADSIM_FAULTS", L"ExportPart@1=access-violation;EndExport=delphi-throw");
    StartReady();
    PressExport();
    EXPECT_EQ(Report(), L"The CAD export library failed in ExportCAD_ExportPart: access "
                        L"violation (0xC0000005)\r\nThen it failed in ExportCAD_EndExport too: "
                        L"Delphi exception (0x0EEDFADE)");
    EXPECT_EQ(Names(CallsAfter(L"BeginExport")),
              (std::vector<std::wstring>{L"ExportPart", L"EndExport"}));
    EXPECT_EQ(CloseAndWait(), 0u);
    ExpectUnloadedAtTheEnd();
}

TEST_F(LibraryFaultTest, FaultsWhileClosingAreIgnoredAndEveryStepStillRuns) {
    SetEnv(L"CADSIM_FAULTS",
           L"CadStop=access-violation;LibFinalization=msvc-throw;DllDetach=raise:0xE0000001");
    StartReady();
    EXPECT_EQ(CloseAndWait(), 0u);
    const auto names = Names(Calls());
    EXPECT_EQ(std::count(names.begin(), names.end(), L"CadStop"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), L"LibFinalization"), 1);
    EXPECT_TRUE(Has(SettingsLines(), L"ExportDestination=" + out_));
}

TEST_F(LibraryFaultTest, AFaultWhileReadingTheFormatsKeepsThoseReadBefore) {
    // The third name asked is the display name of the second format.
    SetEnv(L"CADSIM_FAULTS", L"GetCADName@3=access-violation");
    Start();
    WaitUntilChoicesRestored();
    EXPECT_EQ(FormatsList().Items(), (std::vector<std::wstring>{L"STEP AP214"}));
    FormatsList().SetChecked(0, true);
    Control(ids::BrowseDestination).SetText(out_);
    WaitForExport(true);
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(LibraryFaultTest, AFaultInLibInitializationEndsTheStartWithItsText) {
    SetEnv(L"CADSIM_FAULTS", L"LibInitialization=access-violation");
    Start();
    EXPECT_EQ(Report(), L"The CAD export library failed in ExportCAD_LibInitialization: "
                        L"access violation (0xC0000005)");
    EXPECT_EQ(program_->WaitForExit(seconds(30)), 1u);
    EXPECT_FALSE(Has(Names(Calls()), L"CadStart"));
}

TEST_F(LibraryFaultTest, AFaultWhileStartingTheCadSystemIsReportedAndTheWindowCloses) {
    SetEnv(L"CADSIM_FAULTS", L"CadStart=access-violation");
    Start();
    WaitForMainWindow();
    EXPECT_EQ(Report(), L"The CAD export library failed in ExportCAD_CadStart: access "
                        L"violation (0xC0000005)");
    EXPECT_EQ(CloseAndWait(), 0u);
    ExpectUnloadedAtTheEnd();
}

TEST_F(LibraryFaultTest, ACountNoLibraryCanMeanIsRefusedAtOnce) {
    SetEnv(L"CADSIM_FORMAT_COUNT", L"2147483647");
    Start();
    EXPECT_EQ(Report(), L"The CAD export library reports 2147483647 formats; a library can "
                        L"offer at most 1024. No formats can be chosen.");
    WaitUntilChoicesRestored();
    EXPECT_EQ(FormatsList().Count(), 0);
    EXPECT_FALSE(Has(Names(Calls()), L"GetCADName"));
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(LibraryFaultTest, ManyFormatsAreReadWithTheWindowAnswering) {
    // Far more than a real library offers (the limit itself is a unit test). The library holds
    // the reading at the first and at the second format's first call until let go: a message
    // sent while it holds the first is answered before it holds the second only when the
    // program pumps between two formats, however slowly either runs.
    SetEnv(L"CADSIM_FORMAT_COUNT", L"300");
    SetEnv(L"CADSIM_FAULTS", L"GetCADName@1=hold:1;GetCADName@3=hold:2");
    Start();
    WaitForHold(1);
    WaitForMainWindow();
    gAnswered = false;
    ASSERT_TRUE(
        SendMessageCallbackW(FormatsList().GetWindow().Handle(), WM_NULL, 0, 0, NoteAnswered, 0));
    LetGo(1);
    WaitForHold(2);
    MSG message; // the answer's callback comes with this thread's next look at its messages
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_TRUE(gAnswered) << "no message answered between the first two formats";
    LetGo(2);

    WaitUntilChoicesRestored(seconds(120));
    drive::WaitUntil([&] { return FormatsList().Count() == 300; }, seconds(60), "300 formats");
    // The last one is the library's index 299, and that index is what is handed over.
    FormatsList().SetChecked(299, true);
    Control(ids::BrowseDestination).SetText(out_);
    WaitForExport(true);
    const Window dialog = PressExport();
    dialog.Child(ids::btnAbort).WaitForText(L"Close", seconds(60));
    EXPECT_TRUE(Has(Calls(), L"SelectCADs|299"));
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(LibraryFaultTest, SettingsNamesThatCannotRoundTripAreNotStored) {
    // A format whose settings name would start a [System] section of its own.
    SetEnv(L"CADSIM_FORMATS", L"Injected|X%0D%0A[System]%0D%0AStartPDataMgrTimeoutSeconds=1|stp;"
                              L"Separated|A~*~STL|stp;STL|STL|stl");
    StartReady();
    FormatsList().SetChecked(1, true);
    EXPECT_EQ(CloseAndWait(), 0u);
    const auto lines = SettingsLines();
    EXPECT_FALSE(Has(lines, L"[System]"));
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(),
                             [](const auto& l) { return l.starts_with(L"StartPDataMgr"); }));
    EXPECT_FALSE(std::any_of(lines.begin(), lines.end(),
                             [](const auto& l) { return l.starts_with(L"Formats="); }));

    // The next start waits for the CAD system as always and checks nothing it cannot know.
    Start();
    WaitUntilChoicesRestored();
    EXPECT_EQ(FormatsList().CheckStates(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(LibraryFaultTest, AnExportClickQueuedDuringTheShutdownStartsNothing) {
    SetEnv(L"CADSIM_FAULTS", L"CadStop@1=hang:3000");
    StartReady();
    const Window exportButton = Control(ids::btnExport);
    main_->Close();
    drive::WaitUntil([&] { return Has(Calls(), L"CadStop|!fault|hang:3000"); },
                     drive::kDefaultTimeout, "the hanging CadStop");
    exportButton.PostClick(); // queued while CadStop blocks; the shutdown pumps afterwards
    EXPECT_EQ(program_->WaitForExit(seconds(30)), 0u);
    const auto names = Names(Calls());
    EXPECT_FALSE(Has(names, L"BeginExport"));
    EXPECT_EQ(std::count(names.begin(), names.end(), L"SetDirs"), 1);
}

TEST_F(LibraryFaultTest, ReportsTheTimeFromAFaultToTheReportOnTheScreen) {
    SetEnv(L"CADSIM_FAULTS", L"ExportPart@1=access-violation");
    StartReady();
    PressExport(); // the fault comes with the first part, after the progress dialog shows
    // Polls every millisecond (the driver's waits poll too coarsely for a measurement).
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (drive::FindTopLevelWindows(program_->Id(), {.className = L"#32770"}).empty()) {
        ASSERT_LT(GetTickCount64(), deadline) << "no report";
        Sleep(1);
    }
    const double shownMs = PerformanceCounterMs();
    const auto lines = Utf8Log(temp_.PathOf(L"cadsim.log")).Lines();
    const auto fault = std::find_if(lines.begin(), lines.end(), [](const auto& line) {
        return line.find(L"|ExportPart|!fault|") != std::wstring::npos;
    });
    ASSERT_NE(fault, lines.end());
    const double faultMs = std::stod(fault->substr(0, fault->find(L'|')));
    std::cout << "report shown " << (shownMs - faultMs) << " ms after the fault\n";
    RecordProperty("fault_to_report_ms", static_cast<int>(shownMs - faultMs));
    EXPECT_EQ(Report(), L"The CAD export library failed in ExportCAD_ExportPart: access "
                        L"violation (0xC0000005)");
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(LibraryFaultTest, TheEventLogTellsTheRunAndItsFaultAndTheAboutBoxTheFilesInUse) {
    SetEnv(L"CADSIM_FAIL_PARTS", L"P2");
    SetEnv(L"CADSIM_FAULTS", L"ExportPart@3=access-violation");
    StartReady();
    PressExport();
    const std::wstring report = Report();

    // From the error window's File menu; Save as writes what the window shows.
    const DWORD id = program_->Id();
    drive::WaitForTopLevelWindow(id, {.className = ids::kErrorWindowClass}).BringToFront();
    drive::KeyStrokes().Press('F', drive::kAlt).Press('E').Send();
    const Window logWindow =
        drive::WaitForTopLevelWindow(id, {.className = ids::kEventLogWindowClass});
    const std::wstring log = logWindow.Child(ids::memText).Text();
    const std::wstring library = DistPath(L"demo\\cadlib\\CADBasketDLL.dll");
    const std::vector<std::wstring> lines = EventLines(log);
    const std::vector<std::wstring> run(
        std::find(lines.begin(), lines.end(), L"Export of 3 parts begins"), lines.end());
    EXPECT_EQ(run, (std::vector<std::wstring>{
                       L"Export of 3 parts begins",
                       L"CAD data folder: " + DistPath(L"demo\\cadlib\\..\\..\\..\\..\\"),
                       L"CAD software folder: \\software\\", L"Destination: " + out_ + L"\\",
                       L"Shop name: Shop", L"Formats: STEP AP214",
                       L"Subfolders: Basket name, CAD format, First letter of series, Series",
                       L"Zip file: no", L"Part 1 of 3: P1 () exported, N ms",
                       L"Part 2 of 3: P2 () failed, N ms",
                       L"Export ended: 1 exported, 1 failed, 3 of 3 parts handed over, total "
                       L"time 0:00 (N ms)",
                       L"Error shown: " + report}));
    logWindow.Child(ids::btnSaveLogAs).PostClick();
    const Window save = drive::WaitForTopLevelWindow(id, {.className = L"#32770"});
    const std::wstring file = temp_.PathOf(L"event log.txt");
    save.WaitForChild(drive::ControlQuery::ByClass(L"Edit")).SetText(file);
    save.Child({.id = IDOK, .className = L"Button"}).Click();
    EXPECT_EQ(drive::WaitForValue(
                  [&]() -> std::optional<std::string> {
                      try {
                          return ReadBytes(file);
                      } catch (const drive::DriverError&) {
                          return std::nullopt;
                      }
                  },
                  seconds(10), "the saved event log")
                  .substr(0, 3),
              "\xEF\xBB\xBF");
    EXPECT_EQ(ReadUtf8File(file).substr(0, log.size()), log);

    // The About box, by keyboard from the main window's system menu, read as a reader would.
    main_->BringToFront();
    drive::PressKey(VK_SPACE, drive::kAlt);
    drive::WaitForTopLevelWindow(id, {.className = L"#32768"}); // the menu
    // To the last item: Wine's own "&About Wine" takes the A.
    drive::KeyStrokes().Press(VK_UP).Press(VK_RETURN).Send();
    const Window about = drive::WaitForTopLevelWindow(id, {.className = ids::kAboutBoxClass});
    const Window aboutText = about.Child(ids::memText);
    const std::vector<std::wstring> facts = SplitLines(aboutText.Text());
    ASSERT_EQ(facts.size(), 8u) << aboutText.Text();
    EXPECT_TRUE(std::regex_match(facts[0], std::wregex(LR"(QRV3DOVEravar \d+\.\d+\.\d+ \()"
                                                       LR"((win64, x86_64|win32, i686)\))")))
        << facts[0];
    EXPECT_TRUE(facts[1].starts_with(L"Windows: ")) << facts[1];
    EXPECT_EQ(std::vector<std::wstring>(facts.begin() + 2, facts.end() - 1),
              (std::vector<std::wstring>{
                  L"CAD export library: " + library, L"File version: 7.2.0.15",
                  L"Texts database: " + DistPath(L"data\\tables\\ado\\QRV3RUN_2K.mdb"),
                  L"Language: ENGB", L"Settings file: " + SettingsFile()}));
    EXPECT_TRUE(facts[7].starts_with(L"Event log: ")) << facts[7];
    // The event log tells them too.
    for (auto fact = facts.begin(); fact != facts.end() - 1; ++fact) {
        EXPECT_TRUE(Has(lines, *fact)) << *fact;
    }
    const drive::ComApartment com;
    const auto reader = drive::Accessible::OfWindow(aboutText.Handle());
    EXPECT_EQ(reader.Role(), ROLE_SYSTEM_TEXT);
    EXPECT_EQ(reader.Name(), L"Version, library and files:");
    EXPECT_EQ(CloseAndWait(), 0u);
}

} // namespace
} // namespace qrv::e2e
