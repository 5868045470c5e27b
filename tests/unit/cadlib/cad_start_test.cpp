#include "cadlib/cad_start.h"
#include "cadlib/silent_cad_library.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qrv {
namespace {

// A CAD library that becomes idle at a given poll, or never; only the start calls matter.
class StartingLibrary : public SilentCadLibrary {
public:
    int idleAtPoll = 1; // 0: never
    bool hasQuery = true;
    int polls = 0;
    std::vector<std::string>* log = nullptr;

    void CadStart() override { log->push_back("CadStart"); }
    bool HasCadIsSleeping() const override { return hasQuery; }
    bool CadIsSleeping() override {
        ++polls;
        log->push_back("CadIsSleeping");
        return idleAtPoll != 0 && polls >= idleAtPoll;
    }
};

// A shell and a window with a simulated clock: every Sleep advances it, and so does each pump.
class SimulatedHost : public TProgramShell, public TCADStartView {
public:
    std::vector<std::string> log;
    double nowMs = 0;
    double pumpCostMs = 5;
    bool closeAfterFirstPoll = false;
    bool terminated = false;

    void ShowStartingPanel() override { log.push_back("StartingPanel"); }
    void ShowProgramControls() override { log.push_back("ProgramControls"); }
    void Pump() override {
        nowMs += pumpCostMs;
        log.push_back("Pump");
    }
    void Sleep(int ms) override {
        nowMs += ms;
        log.push_back("Sleep");
    }
    int64_t NowInMilliseconds() override { return static_cast<int64_t>(nowMs); }
    void RequestTerminate() override {
        terminated = true;
        log.push_back("Terminate");
    }
    bool CloseRequested() const {
        return closeAfterFirstPoll &&
               std::count(log.begin(), log.end(), std::string("CadIsSleeping")) >= 1;
    }
};

bool StartCAD(StartingLibrary& library, SimulatedHost& host, int32_t timeoutSeconds) {
    return qrv::StartCAD(
        library, host, host, [&] { return host.CloseRequested(); }, timeoutSeconds);
}

struct Fixture {
    SimulatedHost host;
    StartingLibrary library;
    Fixture() { library.log = &host.log; }
};

TEST(StartCAD, IdleAtTheFirstPollShowsTheControlsAfterOneSleep) {
    Fixture f;
    EXPECT_TRUE(StartCAD(f.library, f.host, 120));
    EXPECT_EQ(f.host.log,
              (std::vector<std::string>{"StartingPanel", "Pump", "CadStart", "Sleep", "Pump",
                                        "CadIsSleeping", "ProgramControls", "Pump"}));
}

TEST(StartCAD, TimesOutAfterTheConfiguredSeconds) {
    Fixture f;
    f.library.idleAtPoll = 0;
    EXPECT_FALSE(StartCAD(f.library, f.host, 2));
    // Each pass costs 105 ms, so the 2 s limit is reached in pass 20.
    EXPECT_EQ(f.library.polls, 20);
    EXPECT_FALSE(f.host.terminated);
    EXPECT_EQ(f.host.log.back(), "Pump");
    EXPECT_EQ(f.host.log[f.host.log.size() - 2], "ProgramControls");
}

TEST(StartCAD, ZeroOrNegativeTimeoutAsksExactlyOnce) {
    for (int timeout : {0, -5}) {
        Fixture f;
        f.library.idleAtPoll = 0;
        EXPECT_FALSE(StartCAD(f.library, f.host, timeout));
        EXPECT_EQ(f.library.polls, 1);
    }
    Fixture idle;
    EXPECT_TRUE(StartCAD(idle.library, idle.host, 0)); // its answer decides
}

TEST(StartCAD, IdleInThePassThatTimesOutCountsAsStarted) {
    Fixture f;
    f.library.idleAtPoll = 20;
    EXPECT_TRUE(StartCAD(f.library, f.host, 2));
    EXPECT_EQ(f.library.polls, 20);
}

TEST(StartCAD, MissingQueryFailsAndTerminates) {
    Fixture f;
    f.library.hasQuery = false;
    EXPECT_FALSE(StartCAD(f.library, f.host, 120));
    EXPECT_TRUE(f.host.terminated);
    EXPECT_EQ(f.library.polls, 0);
    EXPECT_EQ(f.host.log[f.host.log.size() - 2], "ProgramControls");
}

TEST(StartCAD, CloseRequestEndsTheWait) {
    Fixture f;
    f.library.idleAtPoll = 0;
    f.host.closeAfterFirstPoll = true;
    EXPECT_FALSE(StartCAD(f.library, f.host, 120));
    EXPECT_EQ(f.library.polls, 1);
}

} // namespace
} // namespace qrv
