// CADBasketDLL.dll for the other Windows architecture: the fifteen ExportCAD_ entry points
// with nothing behind them. The program of this build cannot load it at all, so it only has
// to be a library of the right name and exports; it is compiled alone with the other
// architecture's compiler.

#include "cadlib/win32/export_cad_functions.h"

#include <windows.h>

using qrv::TLibBool;

namespace {

template <typename T> T Nothing() {
    return T{};
}

} // namespace

#define QRV_STUB_ENTRY(name, result, parameters, firstCall)                                        \
    extern "C" __declspec(dllexport) result WINAPI ExportCAD_##name parameters {                   \
        return Nothing<result>();                                                                  \
    }
QRV_EXPORT_CAD_FUNCTIONS(QRV_STUB_ENTRY)
