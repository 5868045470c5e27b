// The library owner with this build's simulated library: what loading and unloading do to the
// process (PATH, the current folder, the module) when the library faults while it is stopped.

#include "app/win32/windows_cad_library_owner.h"
#include "cadlib/win32/cad_library_under_test.h"
#include "platform/scope_exit.h"
#include "platform/win32/path_variable.h"
#include "platform/win32/windows_shell.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace qrv {
namespace {

using testing::ScopedVariable;

std::u16string CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return std::u16string(folder.begin(), folder.end());
}

class CadLibraryOwnerTest : public testing::CadLibraryUnderTest {};

TEST_F(CadLibraryOwnerTest, AFaultInCadStopStillLeavesPathAsBeforeAndTheLibraryFreed) {
    const ScopedVariable faults(L"CADSIM_FAULTS", L"CadStop=access-violation");
    const ScopedVariable path(L"PATH", L"C:\\windows\\system32;C:\\\x4e2d\x6587;;C:\\x ");
    const std::optional<std::u16string> pathBefore = ReadPathVariable();
    const std::u16string folderBefore = CurrentFolder();
    const TScopeExit restoreFolder(
        [&] { SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(folderBefore.c_str())); });

    TWindowsShell shell;
    TWindowsCADLibraryOwner owner(shell);
    const std::u16string folder = LibraryFolder();
    owner.LoadCADLibrary(folder);
    EXPECT_TRUE(owner.LibraryLoaded());
    EXPECT_EQ(ReadPathVariable(), folder + u";" + pathBefore.value_or(u""));
    EXPECT_EQ(CurrentFolder(), folder.substr(0, folder.size() - 1));

    EXPECT_NO_THROW(owner.UnloadCADLibrary());
    EXPECT_EQ(ReadPathVariable(), pathBefore);
    EXPECT_FALSE(owner.LibraryLoaded());
    EXPECT_THROW(owner.Library().CadStop(), std::runtime_error); // no stale binding
    EXPECT_EQ(GetModuleHandleW(L"CADBasketDLL.dll"), nullptr);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"DllAttach", "LibInitialization",
                                                 "CadStop|!fault|access-violation",
                                                 "LibFinalization", "DllDetach|free"}));
}

} // namespace
} // namespace qrv
