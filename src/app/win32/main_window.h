#pragma once
// The main window TfrmExport. Creating it runs the program's start-up sequence; closing it
// runs the shutdown. It shows the program's session and forwards the user's actions to it.

#include "app/main_window_view.h"
#include "app/program_session.h"
#include "app/win32/application_window.h"
#include "controls/win32/check_list.h"
#include "controls/win32/command_table.h"
#include "controls/win32/form.h"

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>

namespace qrv {

// The registered message that asks the running copy to come to the front.
UINT& RestoreMessage();
inline constexpr char kRestoreMessageName[] = "QRV3DOVEravar";

class TfrmExportDetails;
class TfrmError;

class TfrmExport final : public TForm, private TMainWindowView {
public:
    explicit TfrmExport(TApplicationWindow& application);

    // The view that the session's choices show in.
    TMainWindowView& View() { return *this; }
    // Creates the window, owned by the application window, and runs the start-up sequence on
    // the session. ECADLibraryLoadError leaves it (the program then ends with exit code 1);
    // other errors are reported here.
    void Create(HINSTANCE instance, TProgramSession& session);
    // The progress dialog and the error window of the export run, created after this window.
    void AttachRunWindows(TfrmExportDetails& details, TfrmError& errors);

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

    // TMainWindowView.
    void InstallRestoreProcedure() override;
    void ShowMainWindow() override;
    void ShowStartingPanel() override;
    void ShowProgramControls() override;
    void UpdateExportButton() override;
    TCADFolders CADFolders() const override;
    void SetCADFolders(const TCADFolders& folders) override;
    TCheckListView& FormatsList() override { return formatsList_; }
    TCheckListView& SubDirListBox() override { return subDirListBox_; }
    void PostClose() override;

    // TProgramTextTargets.
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(int control, const std::u16string& caption) override;
    void SetStartingPanelCaption(const std::string& caption) override;
    void SetHint(int control, const std::u16string& hint) override;
    std::u16string Hint(int control) const override;
    void SetExportButtonLabel(const std::u16string& label) override;

    // TExportChoiceFields.
    std::u16string Destination() const override;
    void SetDestination(const std::u16string& destination) override;
    bool CreateZip() const override;
    void SetCreateZip(bool createZip) override;

    // TExportRunMainView.
    void SetProgressText(const std::u16string& text) override;
    void HideExportButton() override;
    void ShowProgressBar(int32_t maximum) override;
    void SetProgressPosition(int32_t position) override;
    void HideProgressBar() override;
    void BringWindowsToFront() override;

    void HandleCloseRequest();
    static LRESULT CALLBACK RestoreWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);

    static const TCommandHandler<TfrmExport> kCommands[];

    TApplicationWindow& application_;
    TProgramSession* session_ = nullptr;
    WNDPROC FPreviousWndProc = nullptr;
    HWND tooltip_ = nullptr;
    std::map<int, std::u16string> hints_;
    TCheckList formatsList_;   // FormatsList
    TCheckList subDirListBox_; // SubDirListBox
    TfrmExportDetails* details_ = nullptr;
    TfrmError* errors_ = nullptr;
};

} // namespace qrv
