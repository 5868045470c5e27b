#include "settings/export_settings.h"

#include "settings/wide_ini_file.h"

namespace qrv {

int32_t ReadStartTimeout(const std::u16string& settingsPath) {
    TWideIniFile settings(settingsPath);
    return settings.ReadInteger(u"System", u"StartPDataMgrTimeoutSeconds",
                                kDefaultStartTimeoutSeconds);
}

} // namespace qrv
