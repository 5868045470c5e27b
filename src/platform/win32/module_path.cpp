#include "platform/win32/module_path.h"

#include "platform/win32/wide.h"

namespace qrv {

std::u16string ModulePath(HMODULE module) {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD copied =
            GetModuleFileNameW(module, WideBuffer(path), static_cast<DWORD>(path.size()));
        if (copied == 0) {
            return {};
        }
        // A path that fills the buffer may have been cut: try again with more room.
        if (copied < path.size()) {
            path.resize(copied);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace qrv
