#include "framework/framework_package.h"
#include "platform/ansi.h"

#include <windows.h>

#include <string>

namespace qrv {

namespace {

std::u16string ModulePath(HMODULE module) {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD copied = GetModuleFileNameW(module, reinterpret_cast<wchar_t*>(path.data()),
                                                static_cast<DWORD>(path.size()));
        if (copied == 0) {
            return {};
        }
        if (copied < path.size()) {
            path.resize(copied);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

std::string xQRVGetVeryPureExeFileName() {
    return BareFileName(ToAnsi(ModulePath(nullptr)));
}

std::string JGetVeryPureModuleFileName(void* module) {
    return BareFileName(ToAnsi(ModulePath(static_cast<HMODULE>(module))));
}

} // namespace qrv
