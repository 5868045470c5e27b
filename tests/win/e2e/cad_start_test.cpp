// Waiting for the CAD system: time-out, a library without the idle query, closing meanwhile.
#include "program_fixture.h"

#include <windows.h>

#include <algorithm>
#include <iostream>

namespace qrv::e2e {
namespace {

int Count(const std::vector<std::wstring>& calls, const std::wstring& name) {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [&](const auto& call) { return CallName(call) == name; }));
}

// The calls after the last one named `name` (inclusive).
std::vector<std::wstring> From(const std::vector<std::wstring>& calls, const std::wstring& name) {
    auto it = std::find_if(calls.rbegin(), calls.rend(),
                           [&](const auto& call) { return CallName(call) == name; });
    if (it == calls.rend()) {
        return {};
    }
    std::vector<std::wstring> tail;
    for (auto forward = std::prev(it.base()); forward != calls.end(); ++forward) {
        tail.push_back(CallName(*forward));
    }
    return tail;
}

class CadStartTest : public ProgramTest {
protected:
    void ExpectTimeoutMessage() {
        const auto box = drive::MessageBoxWindow::WaitFor(program_->Id(), std::chrono::seconds(30));
        EXPECT_EQ(box.Message(), L"Exception starting CAD (timeout)");
        box.Press(IDOK);
    }
};

TEST_F(CadStartTest, TimeOutShowsTheMessageAndLeavesTheSettingsFileAlone) {
    WriteSettings(L"[Selection]\r\nFormats=STEP-AP214~*~\r\n[System]\r\n"
                  L"StartPDataMgrTimeoutSeconds=0x1\r\n");
    const std::string before = ReadBytes(SettingsFile());
    SetEnv(L"CADSIM_NEVER_IDLE", L"1");
    Start();
    ExpectTimeoutMessage();
    WaitUntilReady();
    EXPECT_FALSE(Control(ids::btnExport).IsEnabled());
    const auto waited = Calls();
    EXPECT_GE(Count(waited, L"CadIsSleeping"), 5); // about one second of polls
    EXPECT_EQ(Count(waited, L"GetCADCount"), 0);

    EXPECT_EQ(CloseAndWait(), 0u);
    EXPECT_EQ(From(Calls(), L"CadStop"),
              (std::vector<std::wstring>{L"CadStop", L"LibFinalization", L"DllDetach"}));
    EXPECT_EQ(ReadBytes(SettingsFile()), before);
}

TEST_F(CadStartTest, ZeroTimeOutAsksExactlyOnce) {
    WriteSettings(L"[System]\r\nStartPDataMgrTimeoutSeconds=0\r\n");
    SetEnv(L"CADSIM_NEVER_IDLE", L"1");
    Start();
    ExpectTimeoutMessage();
    EXPECT_EQ(Count(Calls(), L"CadIsSleeping"), 1);
    WaitUntilReady();
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(CadStartTest, LibraryWithoutTheIdleQueryEndsTheProgram) {
    SetEnv(L"CADENASEXPORTDLL_", CadSimVariant(L"no-sleeping"));
    Start();
    // The pending end closes the time-out message as soon as it opens.
    EXPECT_EQ(program_->WaitForExit(std::chrono::seconds(20)), 0u);
    const auto calls = Calls();
    EXPECT_EQ(Count(calls, L"CadStart"), 1);
    EXPECT_EQ(
        From(calls, L"CadStart"),
        (std::vector<std::wstring>{L"CadStart", L"CadStop", L"LibFinalization", L"DllDetach"}));
}

TEST_F(CadStartTest, ClosingDuringTheWaitEndsItAndNeverCallsAnUnloadedLibrary) {
    SetEnv(L"CADSIM_START_DELAY_MS", L"60000");
    Start();
    WaitForMainWindow();
    Utf8Log log(temp_.PathOf(L"cadsim.log"));
    log.WaitForLine(L"|CadIsSleeping|0");
    main_->Close();
    EXPECT_EQ(program_->WaitForExit(std::chrono::seconds(10)), 0u);
    EXPECT_FALSE(drive::MessageBoxWindow::Find(program_->Id()));
    const auto tail = From(Calls(), L"CadStop");
    EXPECT_EQ(tail, (std::vector<std::wstring>{L"CadStop", L"LibFinalization", L"DllDetach"}));
    EXPECT_EQ(Calls().back(), L"DllDetach|free");
}

// Not an assertion: prints how long the controls take to appear after the CAD start returns,
// with a CAD system that is idle at the first poll.
TEST_F(CadStartTest, ReportsTheTimeFromCadStartToTheControls) {
    SetEnv(L"CADSIM_START_DELAY_MS", L"0");
    Start();
    WaitForMainWindow();
    const drive::Window controls = Control(ids::pnlProgramControls);
    // Polls every millisecond (the driver's waits poll too coarsely for a measurement).
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (!controls.IsVisible()) {
        ASSERT_LT(GetTickCount64(), deadline) << "the program controls never showed";
        Sleep(1);
    }
    const double shownMs = PerformanceCounterMs();
    const auto lines = Utf8Log(temp_.PathOf(L"cadsim.log")).Lines();
    const auto start = std::find_if(lines.begin(), lines.end(), [](const auto& line) {
        return line.find(L"|CadStart|") != std::wstring::npos;
    });
    ASSERT_NE(start, lines.end());
    const double returnedMs = std::stod(start->substr(0, start->find(L'|')));
    std::cout << "controls shown " << (shownMs - returnedMs) << " ms after CadStart returned\n";
    RecordProperty("cad_start_to_controls_ms", static_cast<int>(shownMs - returnedMs));
    EXPECT_EQ(CloseAndWait(), 0u);
}

} // namespace
} // namespace qrv::e2e
