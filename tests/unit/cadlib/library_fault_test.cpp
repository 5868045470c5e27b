#include "cadlib/library_fault.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(LibraryFault, NamesTheFunctionAndTheCode) {
    const ECADLibraryFault fault("ExportCAD_ExportPart", kAccessViolation);
    EXPECT_STREQ(fault.what(),
                 "The CAD export library failed in ExportCAD_ExportPart: access violation "
                 "(0xC0000005)");
    EXPECT_EQ(fault.Function(), "ExportCAD_ExportPart");
    EXPECT_EQ(fault.Code(), kAccessViolation);
}

TEST(LibraryFault, DescribesForeignExceptionsAndUnknownCodes) {
    EXPECT_EQ(DescribeExceptionCode(0xE06D7363), "Visual C++ exception (0xE06D7363)");
    EXPECT_EQ(DescribeExceptionCode(0x0EEDFADE), "Delphi exception (0x0EEDFADE)");
    EXPECT_EQ(DescribeExceptionCode(kStackOverflow), "stack overflow (0xC00000FD)");
    EXPECT_EQ(DescribeExceptionCode(0x0000002A), "exception 0x0000002A");
    EXPECT_EQ(DescribeExceptionCode(0xFFFFFFFF), "exception 0xFFFFFFFF");
}

TEST(LibraryFault, ASecondFaultIsNamedAfterTheFirst) {
    const ECADLibraryFault first("ExportCAD_ExportPart", 0xC000001D);
    const ECADLibraryFault both(first, ECADLibraryFault("ExportCAD_EndExport", 0x0EEDFADE));
    EXPECT_EQ(both.Function(), "ExportCAD_ExportPart");
    EXPECT_EQ(both.Code(), 0xC000001Du);
    EXPECT_STREQ(both.what(), "The CAD export library failed in ExportCAD_ExportPart: illegal "
                              "instruction (0xC000001D)\r\nThen it failed in ExportCAD_EndExport "
                              "too: Delphi exception (0x0EEDFADE)");
}

} // namespace
} // namespace qrv
