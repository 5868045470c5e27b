#pragma once
// The main window TfrmExport. Creating it runs the program's start-up sequence; closing it
// runs the shutdown. It shows what the sequences and the export run tell it and forwards the
// user's actions; the library, the settings and the system are objects it hands to them.

#include "app/close_gate.h"
#include "app/main_window_texts.h"
#include "app/start_up_sequence.h"
#include "app/win32/application_window.h"
#include "app/win32/windows_cad_library_owner.h"
#include "app/win32/windows_shell.h"
#include "controls/win32/check_list.h"
#include "controls/win32/command_table.h"
#include "controls/win32/form.h"
#include "export/export_choices.h"
#include "export/export_run.h"
#include "texts/program_texts.h"

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>

namespace qrv {

// The registered message that asks the running copy to come to the front.
UINT& RestoreMessage();
inline constexpr char kRestoreMessageName[] = "QRV3DOVEravar";

class TfrmExportDetails;
class TfrmError;

class TfrmExport final : public TForm,
                         private StartUpWindow,
                         private ProgramTextTargets,
                         private ExportChoiceFields,
                         private ExportRunMainView {
public:
    explicit TfrmExport(TApplicationWindow& application);

    // Creates the window, owned by the application window, and runs the start-up sequence.
    // ECADLibraryLoadError leaves it (the program then ends with exit code 1); other errors
    // are reported here.
    void Create(HINSTANCE instance);
    // The progress dialog and the error window of the export run, created after this window.
    void AttachRunWindows(TfrmExportDetails& details, TfrmError& errors);
    const KeptTexts& Texts() const { return keptTexts_; }

    // The shutdown for a program that ends without its window being closed.
    void ShutdownIfStillOpen();

private:
    // Handlers.
    void FormCreate();
    void FormClose();
    void FormDestroy();
    void BrowseDestinationChange();
    void SubDirListBoxMouseUp();
    void btnMoveUpClick();
    void btnMoveDownClick();
    void btnBrowseClick();
    void btnExportClick();
    void ProgressLabelDblClick();
    void ShowHint(NMTTDISPINFOW* request) const;

    // TForm.
    void OnCommand(int control, unsigned notification) override;
    void OnClose() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // StartUpWindow.
    void InstallRestoreProcedure() override;
    std::u16string ControlText(int id) const override;
    void SetControlText(int id, const std::u16string& text) override;
    void ShowMainWindow() override;
    void ShowStartingPanel() override;
    void ShowProgramControls() override;
    void UpdateExportButton() override;

    // ProgramTextTargets.
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(int control, const std::u16string& caption) override;
    void SetStartingPanelCaption(const std::string& caption) override;
    void SetHint(int control, const std::u16string& hint) override;
    std::u16string Hint(int control) const override;
    void SetExportButtonLabel(const std::u16string& label) override;

    // ExportChoiceFields.
    std::u16string Destination() const override;
    void SetDestination(const std::u16string& destination) override;
    bool CreateZip() const override;
    void SetCreateZip(bool createZip) override;

    // ExportRunMainView.
    void SetProgressText(const std::u16string& text) override;
    void HideExportButton() override;
    void ShowProgressBar(int32_t maximum) override;
    void SetProgressPosition(int32_t position) override;
    void HideProgressBar() override;
    void BringWindowsToFront() override;

    // What the window owns, for the start-up and the shutdown.
    MainWindowData WindowData();
    void HandleCloseRequest();
    static LRESULT CALLBACK RestoreWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);

    static const TCommandHandler<TfrmExport> kCommands[];

    TApplicationWindow& application_;
    TWindowsShell shell_{application_};
    TWindowsCADLibraryOwner library_{CADLibraryHandle()};
    TCloseGate closeGate_{[this] { PostMessageW(Handle(), WM_CLOSE, 0, 0); }};
    WNDPROC FPreviousWndProc = nullptr;
    HWND tooltip_ = nullptr;
    std::map<int, std::u16string> hints_;

    TfrmExportDetails* details_ = nullptr;
    TfrmError* errors_ = nullptr;
    bool runStarted_ = false; // a program start carries at most one run

    std::unique_ptr<TStringHash> texts_; // the text table
    KeptTexts keptTexts_;
    BasketParameters basket_;
    TCheckList formatsList_;   // FormatsList
    TCheckList subDirListBox_; // SubDirListBox
    TExportChoices choices_{formatsList_, subDirListBox_, *this};
    int32_t FStartTimeout = 120;
};

} // namespace qrv
