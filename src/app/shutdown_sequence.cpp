#include "app/shutdown_sequence.h"

#include "app/settings_path.h"
#include "export/export_settings.h"
#include "platform/utf.h"
#include "settings/ini_file_exception.h"

namespace qrv {

namespace {

// A failure is told once and the program still closes: keeping it open would keep the CAD
// system and the library up for choices that cannot be stored anyway.
void SaveSettings(TProgramMessages& messages, const TExportChoices& choices) {
    try {
        qrv::SaveSettings(SettingsPath(), choices);
    } catch (const EIniFileException& error) {
        messages.ShowMessageBox(u"The settings could not be saved. " + error.Message());
    } catch (const std::exception& error) {
        messages.ShowMessageBox(u"The settings could not be saved to " + SettingsPath() + u". " +
                                Utf8ToUtf16(error.what()));
    }
}

} // namespace

void RunShutdown(TProgramSession& session) {
    SaveSettings(session.messages, session.choices);
    session.basket = TBasketParameters{};
    FreeCADFormats(session.choices.CADFormats());
    session.texts.reset();
    try {
        session.library.UnloadCADLibrary();
    } catch (...) {
        // Errors while releasing at shutdown are ignored: the program still ends.
    }
}

} // namespace qrv
