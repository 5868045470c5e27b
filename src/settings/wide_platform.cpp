#include "settings/wide_platform.h"

namespace qrv {

bool Win32PlatformIsUnicode = true;

} // namespace qrv
