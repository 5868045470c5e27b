#include "app/program_version.h"

namespace qrv {

namespace {

#if defined(_WIN64)
constexpr char16_t kBuild[] = u"win64, x86_64";
#elif defined(_WIN32)
constexpr char16_t kBuild[] = u"win32, i686";
#else
constexpr char16_t kBuild[] = u"native";
#endif

} // namespace

std::u16string ProgramVersionText() {
    // The build hands in QRV_VERSION, the project's version.
    return std::u16string(u"QRV3DOVEravar " QRV_VERSION u" (") + kBuild + u")";
}

} // namespace qrv
