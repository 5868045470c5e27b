#include "app/shutdown_sequence.h"

#include "export/export_settings.h"
#include "platform/utf.h"
#include "settings/ini_file_exception.h"

namespace qrv {

namespace {

// A failure is told once and the program still closes: keeping it open would keep the CAD
// system and the library up for choices that cannot be stored anyway.
void SaveSettings(const TProgramSession& session) {
    try {
        qrv::SaveSettings(session.SettingsPath, session.choices);
    } catch (const EIniFileException& error) {
        session.messages.ShowMessageBox(u"The settings could not be saved. " + error.Message());
    } catch (const std::exception& error) {
        session.messages.ShowMessageBox(u"The settings could not be saved to " +
                                        session.SettingsPath + u". " + Utf8ToUtf16(error.what()));
    }
}

} // namespace

void RunShutdown(TProgramSession& session) {
    SaveSettings(session);
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
