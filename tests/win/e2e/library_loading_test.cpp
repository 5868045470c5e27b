// Libraries the program cannot use end it with exit code 1 after a message.
#include "program_fixture.h"

namespace qrv::e2e {
namespace {

class LibraryLoadingTest : public ProgramTest {
protected:
    // Starts the program and returns the text of the message box it shows before it ends.
    std::wstring MessageBeforeExit(DWORD& exitCode) {
        Start();
        const auto box = drive::MessageBoxWindow::WaitFor(program_->Id());
        const std::wstring message = box.Message();
        box.Press(IDOK);
        exitCode = program_->WaitForExit();
        return message;
    }
};

TEST_F(LibraryLoadingTest, MissingLibraryFails) {
    const std::wstring folder = temp_.CreateFolder(L"empty");
    SetEnv(L"CADENASEXPORTDLL_", folder);
    DWORD exitCode = 0;
    // The fixed first line, then the path that was tried and the system's reason.
    const auto lines = SplitLines(MessageBeforeExit(exitCode));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"Error: Load Library failed.");
    EXPECT_EQ(lines[1], folder + L"\\CADBasketDLL.dll");
    EXPECT_TRUE(lines[2].ends_with(L"(error 126)")) << lines[2];
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(LibraryLoadingTest, ALibraryWhoseDllMainRefusesNamesTheReason) {
    SetEnv(L"CADSIM_FAULTS", L"DllAttach=fail");
    DWORD exitCode = 0;
    const auto lines = SplitLines(MessageBeforeExit(exitCode));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"Error: Load Library failed.");
    EXPECT_TRUE(lines[2].ends_with(L"(error 1114)")) << lines[2];
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(LibraryLoadingTest, LibraryFolderNotSetLooksAtTheRootAndFails) {
    SetEnv(L"CADENASEXPORTDLL_", std::nullopt);
    DWORD exitCode = 0;
    EXPECT_EQ(SplitLines(MessageBeforeExit(exitCode)).front(), L"Error: Load Library failed.");
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(LibraryLoadingTest, LibraryOfTheWrongArchitectureFails) {
    SetEnv(L"CADENASEXPORTDLL_", CadSimVariant(L"wrong-arch"));
    DWORD exitCode = 0;
    const auto lines = SplitLines(MessageBeforeExit(exitCode));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"Error: Load Library failed.");
    EXPECT_TRUE(lines[2].ends_with(L"(error 193)")) << lines[2];
    EXPECT_EQ(exitCode, 1u);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(LibraryLoadingTest, LibraryLackingAFunctionCalledUntestedIsRefused) {
    const std::wstring folder = CadSimVariant(L"no-exportpart");
    SetEnv(L"CADENASEXPORTDLL_", folder);
    DWORD exitCode = 0;
    EXPECT_EQ(MessageBeforeExit(exitCode),
              L"Error: the CAD export library " + folder +
                  L"\\CADBasketDLL.dll does not export the function ExportCAD_ExportPart.");
    EXPECT_EQ(exitCode, 1u);
    // Refused before it was initialised.
    for (const auto& call : Calls()) {
        EXPECT_NE(CallName(call), L"LibInitialization");
    }
}

} // namespace
} // namespace qrv::e2e
