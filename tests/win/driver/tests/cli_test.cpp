#include <gtest/gtest.h>

#include "driver/e2e.h"
#include "driver/text.h"
#include "fixture.h"
#include "platform/win32/unique_handle.h"

namespace qrv::drive::testing {
namespace {

struct CommandResult {
    DWORD exitCode;
    std::wstring output;
};

// Runs qrvdrive with the given arguments and collects what it prints on stdout. Its stderr
// stays the test's: programs started by `start` keep it open under Wine while they run.
CommandResult RunQrvdrive(const std::vector<std::wstring>& arguments) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
        ThrowLastError("Creating a pipe");
    }
    TUniqueHandle reader(readEnd);
    TUniqueHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::wstring commandLine = QuoteArgument(QrvdrivePath());
    for (const auto& argument : arguments) {
        commandLine += L" " + QuoteArgument(argument);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info)) {
        ThrowLastError("Starting qrvdrive");
    }
    TUniqueHandle process(info.hProcess);
    CloseHandle(info.hThread);
    writer.Reset();
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    return {code, FromUtf8(bytes)};
}

bool Contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

TEST(Qrvdrive, DrivesAProgramAcrossSeparateCalls) {
    const auto started =
        RunQrvdrive({L"start", L"--env", L"GREETING=Gr\u00FC\u00DF dich", L"--", FixturePath(),
                     L"--show-env", L"GREETING", L"--exit-code", L"5"});
    ASSERT_EQ(started.exitCode, 0u) << ToUtf8(started.output);
    const std::wstring pid = std::to_wstring(std::stoul(started.output));
    Process program = Process::Open(std::stoul(started.output)); // to end it if the test fails

    const auto window = RunQrvdrive({L"wait-window", pid, L"--class", fixture::kMainClass});
    EXPECT_EQ(window.exitCode, 0u) << ToUtf8(window.output);
    EXPECT_EQ(window.output.rfind(L"0x", 0), 0u);

    EXPECT_EQ(RunQrvdrive({L"set-text", pid, L"--id", L"300", L"Ann"}).exitCode, 0u);
    EXPECT_EQ(RunQrvdrive({L"wait-text", pid, L"--id", L"300", L"Ann"}).exitCode, 0u);
    EXPECT_EQ(RunQrvdrive({L"front", pid}).exitCode, 0u); // waits until it is in front
    // Where Wine's focus is a moment later is not the command's matter; its line's form is.
    const auto foreground = RunQrvdrive({L"foreground"});
    EXPECT_EQ(foreground.exitCode, 0u);
    EXPECT_TRUE(foreground.output == L"none\n" || foreground.output.starts_with(L"pid="))
        << ToUtf8(foreground.output);
    const auto texts = RunQrvdrive({L"texts", pid});
    EXPECT_TRUE(Contains(texts.output, L" QrvFixtureMain \"Fixture\" visible"))
        << ToUtf8(texts.output);
    EXPECT_TRUE(Contains(texts.output, L" Static id=102 \"GREETING=Gr\u00FC\u00DF dich\" visible"));
    EXPECT_TRUE(Contains(texts.output, L" Edit id=300 \"Ann\" visible"));
    EXPECT_TRUE(Contains(texts.output, L" Button id=400 \"Lock the name\" visible unchecked"));
    EXPECT_TRUE(Contains(texts.output, L"items=[\"Apple\", \"Banana\", \"Cherry\""));

    const auto list = RunQrvdrive({L"list", pid, L"--id", L"600", L"--check-list"});
    EXPECT_EQ(list.output,
              L"0 \"First\" unchecked\n1 \"Second\" checked\n2 \"Third\" unchecked disabled\n");

    EXPECT_EQ(RunQrvdrive({L"click", pid, L"--text", L"Greet"}).exitCode, 0u);
    const auto box = RunQrvdrive({L"msgbox", pid, L"--press", L"Cancel"});
    EXPECT_EQ(box.output, L"caption: \"Fixture says\"\nmessage: \"Hello, Ann!\"\n"
                          L"button: 1 \"OK\"\nbutton: 2 \"Cancel\"\npressed: Cancel\n");

    EXPECT_EQ(RunQrvdrive({L"close", pid}).exitCode, 0u);
    program.WaitForExit();
    program = Process::Open(GetCurrentProcessId()); // let go of the ended program
    // Once the watcher has let go too, the exit code comes from what it kept.
    WaitUntil(
        [&] {
            TUniqueHandle handle(OpenProcess(SYNCHRONIZE, FALSE, std::stoul(pid)));
            return !handle.Valid();
        },
        kDefaultTimeout, "the ended program to be gone");
    EXPECT_EQ(RunQrvdrive({L"wait-exit", pid}).output, L"5\n");
}

TEST(Qrvdrive, ReportsMistakesAndTimeoutsByExitCode) {
    EXPECT_EQ(RunQrvdrive({}).exitCode, 2u);
    EXPECT_EQ(RunQrvdrive({L"no-such-command"}).exitCode, 2u);
    EXPECT_EQ(RunQrvdrive({L"click", L"123"}).exitCode, 2u);
    auto fixture = StartFixture();
    const std::wstring pid = std::to_wstring(fixture.process.Id());
    EXPECT_EQ(
        RunQrvdrive({L"wait-window", pid, L"--title", L"Nope", L"--timeout", L"0.1"}).exitCode, 3u);
    EXPECT_EQ(RunQrvdrive({L"click", pid, L"--id", L"999", L"--timeout", L"0.1"}).exitCode, 3u);
    EXPECT_EQ(
        RunQrvdrive({L"wait-text", pid, L"--id", L"300", L"--timeout", L"0.1", L"never"}).exitCode,
        3u);
    EXPECT_EQ(RunQrvdrive({L"kill", L"4000000"}).exitCode, 1u);
}

TEST(Qrvdrive, TakesAScreenshot) {
    e2e::TempFolder folder;
    const std::wstring path = folder.PathOf(L"shot one.png");
    const auto result = RunQrvdrive({L"screenshot", path});
    ASSERT_EQ(result.exitCode, 0u) << ToUtf8(result.output);
    const std::string png = e2e::ReadBytes(path);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_FALSE(e2e::FileExists(path + L".partial.png"));
}

} // namespace
} // namespace qrv::drive::testing
