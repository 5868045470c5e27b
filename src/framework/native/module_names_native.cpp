#include "framework/framework_package.h"

#include <filesystem>

namespace qrv {

// Linux has no module handles: every module is the program file.
std::string xQRVGetVeryPureExeFileName() {
    std::error_code error;
    return BareFileName(std::filesystem::read_symlink("/proc/self/exe", error).string());
}

std::string JGetVeryPureModuleFileName(void*) {
    return xQRVGetVeryPureExeFileName();
}

} // namespace qrv
