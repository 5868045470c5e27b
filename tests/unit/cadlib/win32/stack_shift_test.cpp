// The stack measurement catches calls whose declaration does not match the called function:
// deliberately mis-declared calls into the simulated library and into a local function leave
// the stack pointer off on i686 (where stdcall has the callee remove the arguments). On x86_64
// there is one calling convention and nothing to catch, so the tests are skipped there.

#include "cadlib/win32/cad_basket.h"
#include "cadlib/win32/cad_library_under_test.h"
#include "cadlib/win32/stack_shift.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qrv {
namespace {

using testing::CallMeasuringStack;

constexpr bool kCalleeRemovesArguments = sizeof(void*) == 4;

extern "C" [[gnu::noinline]] void __cdecl CdeclTakingTwoArguments(int32_t a, int32_t b) {
    asm volatile("" ::"r"(a), "r"(b)); // keeps the call and its arguments
}

class StackShiftTest : public testing::CadLibraryUnderTest {
protected:
    void SetUp() override {
        if (!kCalleeRemovesArguments) {
            GTEST_SKIP() << "x86_64 has one calling convention: no declaration shifts the stack";
        }
        ASSERT_TRUE(LoadCADBasket(LibraryFolder(), module_));
    }
    void TearDown() override {
        if (module_.Loaded()) {
            UnloadCADBasket(module_, [] {});
        }
    }

    template <typename Function> Function Export(const char* name) {
        return reinterpret_cast<Function>(
            reinterpret_cast<void*>(GetProcAddress(module_.Module(), name)));
    }

    TCADLibraryHandle module_;
};

TEST_F(StackShiftTest, CorrectlyDeclaredCallLeavesTheStackAsItWas) {
    EXPECT_EQ(
        CallMeasuringStack(module_.Binding().ExportCAD_SetDirs, L"a", L"b", L"c", L"d").stackShift,
        0);
}

TEST_F(StackShiftTest, CallDeclaredCdeclIntoTheStdcallLibraryIsCaught) {
    using CdeclSetDirs =
        void(__cdecl*)(const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*);
    const auto setDirs = Export<CdeclSetDirs>("ExportCAD_SetDirs");
    ASSERT_NE(setDirs, nullptr);
    // The library removes the four pointers and the caller removes them once more.
    EXPECT_EQ(CallMeasuringStack(setDirs, L"a", L"b", L"c", L"d").stackShift, 4 * sizeof(void*));
    EXPECT_EQ(Calls().back(), "SetDirs|a|b|c|d");
}

TEST_F(StackShiftTest, CallDeclaredWithAnArgumentTooManyIsCaught) {
    using SetZipModeWithTwo = void(WINAPI*)(TLibBool, int32_t);
    const auto setZipMode = Export<SetZipModeWithTwo>("ExportCAD_SetZipMode");
    ASSERT_NE(setZipMode, nullptr);
    // The caller pushes eight bytes and counts on the library to remove them; it removes four.
    EXPECT_EQ(CallMeasuringStack(setZipMode, TLibBool{1}, int32_t{7}).stackShift, -4);
    EXPECT_EQ(Calls().back(), "SetZipMode|1");
}

TEST_F(StackShiftTest, CallDeclaredStdcallIntoACdeclFunctionIsCaught) {
    using StdcallTakingTwo = void(WINAPI*)(int32_t, int32_t);
    const auto function =
        reinterpret_cast<StdcallTakingTwo>(reinterpret_cast<void*>(&CdeclTakingTwoArguments));
    // Nobody removes the two arguments.
    EXPECT_EQ(CallMeasuringStack(function, int32_t{1}, int32_t{2}).stackShift, -8);
}

} // namespace
} // namespace qrv
