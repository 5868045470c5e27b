#pragma once

#include <windows.h>

namespace qrv {

// A function of a loaded module found by name at run time (what older systems may lack, or a
// library loaded only when needed); null when the module or the function is not there. The cast
// through void(*)() keeps GCC from warning about incompatible function types.
template <typename Function> Function ModuleFunction(HMODULE module, const char* name) {
    return module != nullptr ? reinterpret_cast<Function>(
                                   reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                             : nullptr;
}

} // namespace qrv
