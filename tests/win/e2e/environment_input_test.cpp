// What the catalogue puts into the environment, including what it should not.
#include "program_fixture.h"

#include <windows.h>

namespace qrv::e2e {
namespace {

class EnvironmentInputTest : public ProgramTest {
protected:
    std::wstring SetDirsCall() {
        for (const auto& call : Calls()) {
            if (CallName(call) == L"SetDirs") {
                return call;
            }
        }
        return {};
    }
};

TEST_F(EnvironmentInputTest, AbsurdCountIsReportedAndTheStartGoesOn) {
    UseDemoBasket();
    SetEnv(L"CADCount", L"2000000000");
    Start();
    const auto box = drive::MessageBoxWindow::WaitFor(program_->Id());
    EXPECT_EQ(box.Message(), L"Exception reading env");
    box.Press(IDOK);
    WaitUntilReady();
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(EnvironmentInputTest, CharactersOutsideTheCodePageArriveReplaced) {
    SetEnv(L"ShopName", L"Caf\u00e9 \u041f\u0440\u043e\u0435\u043a\u0442");
    SetEnv(L"xQRVCADENAS_", L"C:\\CAD\u4e2d");
    Start();
    WaitUntilReady();
    // The environment is read in the ANSI code page: é survives, Cyrillic and CJK do not.
    const std::wstring call = SetDirsCall();
    EXPECT_TRUE(call.ends_with(L"|C:\\CAD?\\software\\|" + Control(ids::BrowseDestination).Text() +
                               L"\\|Caf\u00e9 ??????"))
        << call;
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(EnvironmentInputTest, EmptyShopNameReachesTheLibraryAsDefault) {
    SetEnv(L"ShopName", L"");
    Start();
    WaitUntilReady();
    EXPECT_TRUE(SetDirsCall().ends_with(L"\\|default")) << SetDirsCall();
    EXPECT_EQ(CloseAndWait(), 0u);
}

// The settings file at the root of C:, removed again however the test ends.
struct SettingsAtTheRootOfC {
    SettingsAtTheRootOfC() {
        CreateDirectoryW(L"C:\\Quellon", nullptr);
        CreateDirectoryW(L"C:\\Quellon\\DOVEravar", nullptr);
        WriteUtf16File(path, L"[System]\r\nStartPDataMgrTimeoutSeconds=1\r\n");
    }
    ~SettingsAtTheRootOfC() {
        DeleteFileW(path.c_str());
        RemoveDirectoryW(L"C:\\Quellon\\DOVEravar");
        RemoveDirectoryW(L"C:\\Quellon");
    }
    const std::wstring path = L"C:\\Quellon\\DOVEravar\\doveravar.ini";
};

// Without APPDATA the settings file lies at the root of the current drive, which the start-up
// has made the library's folder: the temp folder, and so the library, is on C: of the prefix.
TEST_F(EnvironmentInputTest, WithoutAppDataTheSettingsLieAtTheRootOfTheCurrentDrive) {
    const std::wstring library = temp_.CreateFolder(L"library");
    ASSERT_EQ(library.substr(0, 3), L"C:\\");
    ASSERT_TRUE(CopyFileW(DistPath(L"demo\\cadlib\\CADBasketDLL.dll").c_str(),
                          (library + L"\\CADBasketDLL.dll").c_str(), FALSE));
    const SettingsAtTheRootOfC settings;

    SetEnv(L"APPDATA", std::nullopt);
    SetEnv(L"CADENASEXPORTDLL_", library);
    SetEnv(L"CADSIM_NEVER_IDLE", L"1");
    Start();
    // The one-second time-out of that file ends the wait.
    const auto box = drive::MessageBoxWindow::WaitFor(program_->Id(), std::chrono::seconds(20));
    EXPECT_EQ(box.Message(), L"Exception starting CAD (timeout)");
    box.Press(IDOK);
    WaitUntilReady();
    EXPECT_EQ(CloseAndWait(), 0u);
}

} // namespace
} // namespace qrv::e2e
