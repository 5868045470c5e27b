#include "platform/system_version.h"

#include "platform/utf.h"

#include <sys/utsname.h>

namespace qrv {

std::u16string SystemVersionText() {
    utsname system{};
    if (uname(&system) != 0) {
        return {};
    }
    return Utf8ToUtf16(std::string(system.sysname) + " " + system.release);
}

std::u16string FileVersionText(const std::u16string&) {
    return {}; // version resources are Windows' own
}

} // namespace qrv
