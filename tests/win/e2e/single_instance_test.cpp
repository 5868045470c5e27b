// Only one copy runs: a second copy brings the first to the front and ends.
#include "driver/covering_window.h"
#include "platform/win32/unique_handle.h"
#include "program_fixture.h"

#include <windows.h>

namespace qrv::e2e {
namespace {

class SingleInstanceTest : public ProgramTest {
protected:
    // Starts a second copy with the same environment and returns the windows it ever showed.
    std::vector<drive::SeenWindow> RunSecondCopy(DWORD& exitCode) {
        drive::Process second = drive::Process::Start({.program = DistPath(L"QRV3DOVEravar.exe"),
                                                       .workingDirectory = temp_.Path(),
                                                       .environment = environment_});
        auto seen = drive::WatchTopLevelWindowsUntilExit(second);
        exitCode = second.WaitForExit();
        return seen;
    }

    static int VisibleCount(const std::vector<drive::SeenWindow>& seen) {
        int visible = 0;
        for (const auto& window : seen) {
            visible += window.wasVisible ? 1 : 0;
        }
        return visible;
    }

    // Restored and raised in front of the window the user worked in since: what the program
    // does. Which window then has the display's focus is Wine's matter (without a window
    // manager a late focus event of another window may take it away again).
    void ExpectRestoredAndInFront(const drive::CoveringWindow& other) {
        drive::WaitUntil([&] { return !main_->IsMinimized() && main_->IsAbove(other.GetWindow()); },
                         drive::kDefaultTimeout, "the first copy restored and in front");
    }

    void SecondCopyEndsAndRestoresTheFirst() {
        Start();
        WaitUntilChoicesRestored(); // the start-up's last steps bring the window to the front
        const drive::CoveringWindow other;
        main_->Minimize();
        ASSERT_TRUE(main_->IsMinimized());

        DWORD exitCode = 99;
        const auto seen = RunSecondCopy(exitCode);
        EXPECT_EQ(exitCode, 0u);
        EXPECT_EQ(VisibleCount(seen), 0);
        ExpectRestoredAndInFront(other);
        EXPECT_TRUE(program_->IsRunning());
        EXPECT_EQ(CloseAndWait(), 0u);
    }
};

TEST_F(SingleInstanceTest, SecondCopyEndsWithoutAWindowAndRestoresTheFirst) {
    SecondCopyEndsAndRestoresTheFirst();
}

TEST_F(SingleInstanceTest, FirstCopyComesToTheFrontWhileItWaitsForTheCadSystem) {
    SetEnv(L"CADSIM_START_DELAY_MS", L"60000");
    Start();
    WaitForMainWindow();
    const drive::CoveringWindow other;
    main_->Minimize();

    DWORD exitCode = 99;
    const auto seen = RunSecondCopy(exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(VisibleCount(seen), 0);
    ExpectRestoredAndInFront(other);
    // The wait goes on.
    EXPECT_TRUE(Control(ids::pnlStartingPDataMgr).IsVisible());
    EXPECT_EQ(CallName(Calls().back()), L"CadIsSleeping");
}

TEST_F(SingleInstanceTest, AForeignMyAppLetsTheProgramStartButNotASecondCopy) {
    // "MyApp" is a common name: here the test process holds it, released however the test ends.
    TUniqueHandle mutex(CreateMutexA(nullptr, FALSE, "MyApp"));
    ASSERT_TRUE(mutex.Valid());
    SecondCopyEndsAndRestoresTheFirst();
}

} // namespace
} // namespace qrv::e2e
