// The program's shutdown: the main window's close handling.
#include "app/settings_path.h"
#include "app/win32/main_window.h"
#include "controls/win32/message_boxes.h"
#include "export/export_settings.h"
#include "platform/utf.h"
#include "settings/ini_file_exception.h"

namespace qrv {

void TfrmExport::FormClose() {
    SaveSettings();
    basket_ = BasketParameters{};
    FreeCADFormats(choices_.CADFormats());
    texts_.reset();
    try {
        UnloadCADLibrary();
    } catch (...) {
        // Errors while releasing at shutdown are ignored: the program still ends.
    }
}

void TfrmExport::SaveSettings() {
    // A failure is told once and the program still closes: keeping it open would keep the
    // CAD system and the library up for choices that cannot be stored anyway.
    try {
        qrv::SaveSettings(SettingsPath(), choices_);
    } catch (const EIniFileException& error) {
        ShowMessage(u"The settings could not be saved. " + error.Message());
    } catch (const std::exception& error) {
        ShowMessage(u"The settings could not be saved to " + SettingsPath() + u". " +
                    Utf8ToUtf16(error.what()));
    }
}

void TfrmExport::FormDestroy() {
    if (previousWndProc_ != nullptr) {
        SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWndProc_));
        previousWndProc_ = nullptr;
    }
}

} // namespace qrv
