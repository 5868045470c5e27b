// Start-up and shutdown of the program against the simulated CAD library.
#include "program_fixture.h"

#include <algorithm>

namespace qrv::e2e {
namespace {

using drive::MessageBoxWindow;
using CallList = std::vector<std::wstring>;

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, DemoBasketStartsWaitsForTheCadSystemAndShutsDownCleanly) {
    UseDemoBasket();
    SetEnv(L"CADSIM_START_DELAY_MS", L"700");
    Start();
    WaitForMainWindow();
    EXPECT_TRUE(Control(ids::pnlStartingPDataMgr).IsVisible());
    WaitUntilChoicesRestored();
    EXPECT_FALSE(Control(ids::pnlStartingPDataMgr).IsVisible());
    EXPECT_EQ(main_->Text(), L"CAD export");

    const std::wstring library = DistPath(L"demo\\cadlib\\");
    const std::wstring documents = Control(ids::BrowseDestination).Text();
    EXPECT_TRUE(documents.ends_with(L"\\Quellon\\CADFiles")) << documents;
    const CallList started = Calls();
    ASSERT_GE(started.size(), 5u);
    EXPECT_EQ(started[0], L"DllAttach");
    EXPECT_EQ(started[1], L"LibInitialization");
    EXPECT_EQ(started[2], L"SetDirs|" + library + L"..\\..\\..\\..\\|C:\\CADENAS\\software\\|" +
                              documents + L"\\|Quellon Demo Shop");
    EXPECT_EQ(CallName(started[3]), L"CadStart");
    // Polls until idle, then the formats are read.
    size_t i = 4;
    for (; i < started.size() && started[i] == L"CadIsSleeping|0"; ++i) {
    }
    ASSERT_LT(i, started.size());
    EXPECT_EQ(started[i], L"CadIsSleeping|1");
    EXPECT_EQ(started.back(), L"GetCADName|9|VRML");

    EXPECT_EQ(CloseAndWait(), 0u);
    const CallList all = Calls();
    const CallList tail(all.begin() + static_cast<long>(started.size()), all.end());
    EXPECT_EQ(Names(tail),
              (std::vector<std::wstring>{L"CadStop", L"LibFinalization", L"DllDetach"}));
    EXPECT_EQ(tail.back(), L"DllDetach|free");
}

TEST_F(StartupTest, LibraryWithoutInitialisationLoadsAndUnloadsWithoutIt) {
    SetEnv(L"CADENASEXPORTDLL_", CadSimVariant(L"no-init"));
    Start();
    WaitUntilReady();
    EXPECT_EQ(CloseAndWait(), 0u);
    const auto names = Names(Calls());
    EXPECT_EQ(std::count(names.begin(), names.end(), L"LibInitialization"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), L"LibFinalization"), 0);
    EXPECT_EQ(names.back(), L"DllDetach");
}

TEST_F(StartupTest, LibraryWithoutQualifierWorksTheSame) {
    SetEnv(L"CADENASEXPORTDLL_", CadSimVariant(L"no-qualifier"));
    Start();
    WaitUntilReady();
    EXPECT_EQ(CloseAndWait(), 0u);
    const auto names = Names(Calls());
    EXPECT_EQ(names.front(), L"DllAttach");
    EXPECT_EQ(std::count(names.begin(), names.end(), L"LibFinalization"), 1);
}

} // namespace
} // namespace qrv::e2e
