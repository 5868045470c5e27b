#include "app/path_helpers.h"
#include "app/win32/main_window.h"
#include "settings/export_settings.h"

namespace qrv {

void TfrmExport::ReadStartTimeout() {
    startTimeout_ = qrv::ReadStartTimeout(SettingsPath());
}

} // namespace qrv
