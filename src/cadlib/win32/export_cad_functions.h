#pragma once
// The fifteen functions that CADBasketDLL.dll exports, listed once. The binding's function
// types and entries (cad_basket.h), the names it resolves them by and the check of what a
// library must export (cad_basket.cpp) are all made from this list.

#include <cstdint>

namespace qrv {

// Booleans travel in 32-bit slots of which only the low byte counts.
using TLibBool = int32_t;

} // namespace qrv

// X(name, result, parameters, first call), in the order the binding resolves them. The name
// follows "ExportCAD_"; every function uses the Windows calling convention (stdcall on
// 32-bit). First call: where in a program run the program first calls the function without
// asking whether the library exports it (1 is the earliest); 0 for a function it asks about
// before each call, or never calls.
// clang-format off
#define QRV_EXPORT_CAD_FUNCTIONS(X)                                                               \
    X(SetDirs, void, (const wchar_t* cadData, const wchar_t* cadSoftware,                         \
                      const wchar_t* destination, const wchar_t* shopName), 1)                    \
    X(GetCADCount, int32_t, (), 3)                                                                \
    X(GetCADName, const wchar_t*, (int32_t index), 4)                                             \
    X(GetCADQualifier, const wchar_t*, (int32_t index), 0)                                        \
    X(SelectCADs, void, (const uint16_t* formats, int32_t lastIndex), 5)                          \
    X(SelectSubDirs, void, (const uint8_t* subDirs, int32_t lastIndex), 6)                        \
    X(BeginExport, void, (), 8)                                                                   \
    X(ExportPart, TLibBool, (const char* partNo, const char* type, const char* id1,               \
                             const char* id2, const char* cad), 9)                                \
    X(EndExport, void, (), 10)                                                                    \
    X(CadStart, void, (), 2)                                                                      \
    X(CadStop, void, (), 11)                                                                      \
    X(CadIsSleeping, TLibBool, (), 0)                                                             \
    X(LibInitialization, void, (), 0)                                                             \
    X(LibFinalization, void, (), 0)                                                               \
    X(SetZipMode, void, (TLibBool zip), 7)
// clang-format on
