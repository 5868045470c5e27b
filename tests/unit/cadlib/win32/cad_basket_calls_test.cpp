// The program's binding of CADBasketDLL.dll with the simulated library of the same build:
// each of the fifteen functions, called through the binding's own function types, gets the
// arguments it was given (the library's call log shows them), returns its result, and leaves
// the stack pointer where it was. On i686 that is the stdcall contract: the library removes
// the arguments, and the binding's types have to say so.

#include "cadlib/win32/cad_basket.h"
#include "cadlib/win32/cad_library_under_test.h"
#include "cadlib/win32/stack_shift.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qrv {
namespace {

using testing::CallMeasuringStack;
using testing::Utf8;

class CadBasketCallsTest : public testing::CadLibraryUnderTest {};

TEST_F(CadBasketCallsTest, EveryFunctionGetsItsArgumentsAndLeavesTheStackBalanced) {
    TCADLibraryHandle module;
    // Loading initialises the library and unloading finalises it; the test calls those two
    // once more itself, so that every function is measured.
    ASSERT_TRUE(LoadCADBasket(LibraryFolder(), module));
    const TCADBasketBinding& b = module.Binding();
    const std::wstring destination = Destination();

    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_LibInitialization).stackShift, 0);
    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_SetDirs, L"C:\\cad\\data\\", L"C:\\cad\\software\\",
                                 destination.c_str(), L"Shop")
                  .stackShift,
              0);
    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_CadStart).stackShift, 0);

    const auto sleeping = CallMeasuringStack(b.ExportCAD_CadIsSleeping);
    EXPECT_EQ(sleeping.stackShift, 0);
    EXPECT_EQ(sleeping.result & 0xFF, 1);

    const auto count = CallMeasuringStack(b.ExportCAD_GetCADCount);
    EXPECT_EQ(count.stackShift, 0);
    EXPECT_EQ(count.result, 10);

    const auto name = CallMeasuringStack(b.ExportCAD_GetCADName, int32_t{3});
    EXPECT_EQ(name.stackShift, 0);
    ASSERT_NE(name.result, nullptr);
    EXPECT_EQ(std::wstring(name.result), L"STL (ASCII)");

    const auto qualifier = CallMeasuringStack(b.ExportCAD_GetCADQualifier, int32_t{3});
    EXPECT_EQ(qualifier.stackShift, 0);
    ASSERT_NE(qualifier.result, nullptr);
    EXPECT_EQ(std::wstring(qualifier.result), L"stl");

    const uint16_t formats[] = {3, 0};
    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_SelectCADs, &formats[0], int32_t{1}).stackShift, 0);
    const uint8_t subDirs[] = {4, 1};
    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_SelectSubDirs, &subDirs[0], int32_t{1}).stackShift, 0);
    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_SetZipMode, TLibBool{1}).stackShift, 0);
    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_BeginExport).stackShift, 0);

    const auto exported =
        CallMeasuringStack(b.ExportCAD_ExportPart, "P-1", "Series A", "id 1", "id 2", "cad 1");
    EXPECT_EQ(exported.stackShift, 0);
    EXPECT_EQ(exported.result & 0xFF, 1);

    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_EndExport).stackShift, 0);
    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_CadStop).stackShift, 0);
    EXPECT_EQ(CallMeasuringStack(b.ExportCAD_LibFinalization).stackShift, 0);
    UnloadCADBasket(module, [] {});
    EXPECT_FALSE(module.Loaded());
    EXPECT_EQ(module.Binding().ExportCAD_SetDirs, nullptr);

    EXPECT_EQ(Calls(),
              (std::vector<std::string>{
                  "DllAttach",
                  "LibInitialization",
                  "LibInitialization",
                  "SetDirs|C:\\cad\\data\\|C:\\cad\\software\\|" + Utf8(destination) + "|Shop",
                  "CadStart|not-started",
                  "CadIsSleeping|1",
                  "GetCADCount|10",
                  "GetCADName|3|STL (ASCII)",
                  "GetCADQualifier|3|stl",
                  "SelectCADs|3,0",
                  "SelectSubDirs|4,1",
                  "SetZipMode|1",
                  "BeginExport",
                  "ExportPart|P-1|Series A|id 1|id 2|cad 1|1",
                  "EndExport|" + Utf8(destination) + "Shop.zip",
                  "CadStop|idle",
                  "LibFinalization",
                  "LibFinalization",
                  "DllDetach|free",
              }));
}

} // namespace
} // namespace qrv
