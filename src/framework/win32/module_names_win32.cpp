#include "framework/framework_package.h"
#include "platform/ansi.h"
#include "platform/win32/module_path.h"

#include <windows.h>

#include <string>

namespace qrv {

std::string xQRVGetVeryPureExeFileName() {
    return BareFileName(ToAnsi(ModulePath(nullptr)));
}

std::string JGetVeryPureModuleFileName(void* module) {
    return BareFileName(ToAnsi(ModulePath(static_cast<HMODULE>(module))));
}

} // namespace qrv
