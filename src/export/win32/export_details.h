#pragma once
// The progress dialog TfrmExportDetails: the part being exported, a progress bar, the counts,
// and one button that aborts the run and, once the run has ended, closes the program. It has
// no caption-bar buttons and stays on top; the user cannot close it but with that button.
// Under the bar it shows the time the run has taken and, from the second finished part on,
// the time it will still take (export/run_time.h), both brought up to date where the dialog
// handles messages anyway; at the end the total time, and a second button that opens the
// destination folder in the system's file manager.

#include "controls/win32/command_table.h"
#include "controls/win32/form.h"
#include "export/export_run.h"
#include "platform/program_shell.h"
#include "texts/program_texts.h"

#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace qrv {

class TfrmExportDetails final : public TForm, public TExportProgressView {
public:
    // The run's pumping and its times go through the shell.
    explicit TfrmExportDetails(TProgramShell& shell);

    // Created hidden. The texts are read each time they are needed; programWindow is the
    // window it is centred on and that the button closes after the run.
    void Create(HINSTANCE instance, HWND owner, HWND programWindow, const TKeptTexts& texts);

    void PrepareRun(int32_t parts) override;
    // Shows the dialog, not modal, centred on the program window.
    void Show() override;
    void SetPartLabel(const std::u16string& text) override;
    void ShowProgress(const std::u16string& partNo, const std::u16string& type,
                      const std::u16string& id1, const std::u16string& id2, int32_t position,
                      int32_t good, int32_t bad) override;
    bool Aborted() const override { return FAborted; }
    void ShowFinished() override;
    void ShowFailed() override;

    void SetDestinationFolder(const std::u16string& folder) override { destination_ = folder; }
    bool Finished() const { return FFinished; }
    // Brings the shown dialog to the front, or shows the one that no run has prepared yet.
    void BringUp();

private:
    static const TCommandHandler<TfrmExportDetails> kCommands[];

    void btnAbortClick();
    void btnOpenFolderClick();
    void EscapePressed();
    void OnCommand(int control, unsigned notification) override;
    void OnClose() override;
    void SetText(int id, const std::u16string& text);
    void SetBarPosition(int32_t position);
    void SetCounts(int32_t good, int32_t bad);
    void ShowTimes(int32_t finished);
    // The ended state's total time and its button that opens the destination.
    void ShowEnded();
    void CentreOnProgramWindow();
    HWND programWindow_ = nullptr;
    const TKeptTexts* texts_ = nullptr;
    int32_t parts_ = 0;
    int32_t barPosition_ = -1;
    TProgramShell& shell_;
    int64_t runBegan_ = 0;              // when the run was prepared
    std::optional<int64_t> partsBegan_; // when the first part was shown
    std::u16string destination_;
    std::map<int, std::optional<std::u16string>> shown_; // the labels' texts
    bool prepared_ = false;
    bool FAborted = false;
    bool FFinished = false;
};

} // namespace qrv
