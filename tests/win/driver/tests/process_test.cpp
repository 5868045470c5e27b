#include <gtest/gtest.h>
#include <windows.h>

#include "driver/e2e.h"
#include "fixture.h"

namespace qrv::drive::testing {
namespace {

std::vector<std::wstring> SplitAsTheRuntimeDoes(const std::wstring& commandLine) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW((L"program.exe " + commandLine).c_str(), &count);
    std::vector<std::wstring> result(words + 1, words + count);
    LocalFree(words);
    return result;
}

TEST(QuoteArgument, SurvivesTheSystemsSplitting) {
    const std::vector<std::wstring> awkward = {
        L"plain",      L"",         L"two words",  L"C:\\folder with space\\",
        L"say \"hi\"", L"a\\\\\"b", L"trailing\\", L"tab\there"};
    std::wstring commandLine;
    for (const auto& argument : awkward) {
        commandLine += (commandLine.empty() ? L"" : L" ") + QuoteArgument(argument);
    }
    EXPECT_EQ(SplitAsTheRuntimeDoes(commandLine), awkward);
}

TEST(Environment, BlockIsSortedWithoutRegardToCaseAndDoublyTerminated) {
    Environment environment;
    environment.Set(L"zeta", L"1").Set(L"Alpha", L"2").Set(L"beta", L"").Set(L"ALPHA", L"3");
    EXPECT_EQ(environment.Get(L"alpha"), L"3");
    EXPECT_EQ(environment.Block(), std::wstring(L"ALPHA=3\0beta=\0zeta=1\0\0", 22));
    environment.Unset(L"ZETA").Unset(L"missing");
    EXPECT_FALSE(environment.Get(L"zeta"));
    EXPECT_EQ(Environment().Block(), std::wstring(L"\0\0", 2));
    EXPECT_THROW(environment.Set(L"", L"x"), DriverError);
    EXPECT_THROW(environment.Set(L"A=B", L"x"), DriverError);
}

TEST(Environment, CurrentKeepsHiddenDriveEntries) {
    SetEnvironmentVariableW(L"QRV_DRIVER_PROBE", L"a=b");
    const Environment current = Environment::Current();
    EXPECT_EQ(current.Get(L"qrv_driver_probe"), L"a=b");
    SetEnvironmentVariableW(L"QRV_DRIVER_PROBE", nullptr);
}

TEST(Process, ChildGetsExactlyTheGivenEnvironmentAndFolder) {
    e2e::TempFolder folder;
    // Under Wine a variable left out stays unset in the child; Wine does not add APPDATA.
    auto unset = StartFixture({L"--show-env", L"APPDATA"},
                              e2e::MakeEnvironment({{L"APPDATA", std::nullopt}}), folder.Path());
    EXPECT_EQ(unset.main.Child(fixture::kEnvLabel).Text(), L"APPDATA is unset");
    EXPECT_EQ(unset.main.Child(fixture::kFolderLabel).Text(), folder.Path());

    auto set = StartFixture({L"--show-env", L"APPDATA"},
                            e2e::MakeEnvironment({{L"APPDATA", L"C:\\somewhere \u00E9lse"}}));
    EXPECT_EQ(set.main.Child(fixture::kEnvLabel).Text(), L"APPDATA=C:\\somewhere \u00E9lse");

    auto bare = StartFixture({L"--show-env", L"PATH"}, Environment().Set(L"ONLY", L"this"));
    EXPECT_EQ(bare.main.Child(fixture::kEnvLabel).Text(), L"PATH is unset");
}

TEST(Process, ReportsTheExitCode) {
    auto fixture = StartFixture({L"--exit-code", L"7"});
    EXPECT_TRUE(fixture.process.IsRunning());
    EXPECT_THROW(fixture.process.WaitForExit(Milliseconds(50)), TimeoutError);
    fixture.main.Close();
    EXPECT_EQ(fixture.process.WaitForExit(), 7u);
    EXPECT_FALSE(fixture.process.IsRunning());
}

TEST(Process, ClickThatEndsTheProgramReturns) {
    auto fixture = StartFixture();
    fixture.main.Child(fixture::kNameEdit).SetText(L"42");
    fixture.main.Child(fixture::kQuitButton).Click();
    EXPECT_EQ(fixture.process.WaitForExit(), 42u);
}

TEST(Process, KillsTheProgramAtTheEndOfTheTest) {
    HANDLE kept = nullptr;
    {
        auto fixture = StartFixture();
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), fixture.process.Handle(),
                                    GetCurrentProcess(), &kept, SYNCHRONIZE, FALSE, 0));
    }
    EXPECT_EQ(WaitForSingleObject(kept, 0), WAIT_OBJECT_0);
    CloseHandle(kept);
}

TEST(Process, ProgramsEndWhenTheDriverEndsWithoutCleaningUp) {
    // This fixture starts a child through the driver library; ending it at once runs none of
    // its destructors, as a crash would.
    auto parent = StartFixture({L"--start-child"});
    const HWND childWindow = WaitForValue(
        [] {
            const HWND found = FindWindowW(fixture::kMainClass, L"Child");
            return found ? std::optional<HWND>(found) : std::nullopt;
        },
        kDefaultTimeout, "the child's window");
    const Process child = Process::Open(Window(childWindow).ProcessId());
    parent.process.Kill();
    EXPECT_TRUE(child.TryWaitForExit(kDefaultTimeout).has_value());
}

TEST(Process, DetachedProgramOutlivesItsObjectAndCanBeOpenedByItsId) {
    DWORD id = 0;
    {
        auto fixture = StartFixture();
        id = fixture.process.Id();
        fixture.process.Detach();
    }
    const Process reopened = Process::Open(id);
    EXPECT_TRUE(reopened.IsRunning());
    reopened.Kill();
    EXPECT_FALSE(reopened.IsRunning());
}

TEST(Process, StartFailureNamesTheProgram) {
    try {
        Process::Start({.program = L"C:\\no\\such\\program.exe"});
        FAIL() << "started a missing program";
    } catch (const DriverError& error) {
        EXPECT_NE(std::string(error.what()).find("C:\\no\\such\\program.exe"), std::string::npos);
    }
}

} // namespace
} // namespace qrv::drive::testing
