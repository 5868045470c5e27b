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
    SetEnv(L"CADENASEXPORTDLL_", temp_.CreateFolder(L"empty"));
    DWORD exitCode = 0;
    EXPECT_EQ(MessageBeforeExit(exitCode), L"Error: Load Library failed.");
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(LibraryLoadingTest, LibraryFolderNotSetLooksAtTheRootAndFails) {
    SetEnv(L"CADENASEXPORTDLL_", std::nullopt);
    DWORD exitCode = 0;
    EXPECT_EQ(MessageBeforeExit(exitCode), L"Error: Load Library failed.");
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(LibraryLoadingTest, LibraryOfTheWrongArchitectureFails) {
    SetEnv(L"CADENASEXPORTDLL_", CadSimVariant(L"wrong-arch"));
    DWORD exitCode = 0;
    EXPECT_EQ(MessageBeforeExit(exitCode), L"Error: Load Library failed.");
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
