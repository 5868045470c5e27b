#pragma once
// The program's session: what the program is doing, beside its windows. The program entry owns
// it; the start-up fills it in, the Export click runs on it and the shutdown releases it, each
// with the main window's view, which shows the session and forwards the user's actions.

#include "app/cad_library_owner.h"
#include "app/close_gate.h"
#include "app/main_window_view.h"
#include "app/program_messages.h"
#include "app/settings_path.h"
#include "cadlib/basket.h"
#include "export/export_choices.h"
#include "export/export_run.h"
#include "export/export_settings.h"
#include "platform/program_shell.h"
#include "texts/program_texts.h"
#include "texts/string_hash.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qrv {

struct TProgramSession {
    // The choices show in the main window's lists and fields; a close request that had to wait
    // closes the main window.
    TProgramSession(TProgramShell& shell, TProgramMessages& messages, TCADLibraryOwner& library,
                    TMainWindowView& mainWindow);
    TProgramSession(const TProgramSession&) = delete;
    TProgramSession& operator=(const TProgramSession&) = delete;

    // The Export button's rule: the choices' rule, until a run has started.
    bool ExportAllowed() const { return !runStarted && choices.ExportAllowed(); }

    TProgramShell& shell;
    TProgramMessages& messages;
    TCADLibraryOwner& library;
    TCloseGate closeGate;
    TBasketParameters basket;
    std::unique_ptr<TStringHash> texts; // the text table, created by the start-up
    TKeptTexts keptTexts;
    TExportChoices choices;
    int32_t FStartTimeout = kDefaultStartTimeoutSeconds;
    // The settings file: below the current folder until the start-up puts the user's
    // application-data folder in front.
    std::u16string SettingsPath{kSettingsFileRelativePath};
    bool runStarted = false; // a program start carries at most one run
};

// The Export click: the run, once per program start, and none once the shutdown has begun; a
// close request during the run waits until it has ended. The taskbar button shows the run.
void RunExportOnce(TProgramSession& session, TMainWindowView& mainWindow,
                   TExportProgressView& progress, TExportErrorView& errors,
                   TExportTaskbarView& taskbar);

} // namespace qrv
