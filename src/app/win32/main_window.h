#pragma once
// The main window TfrmExport. Creating it runs the program's start-up sequence; closing it
// runs the shutdown.

#include "app/cad_library_lifetime.h"
#include "app/close_gate.h"
#include "app/main_window_data.h"
#include "app/shutdown_sequence.h"
#include "app/start_up_sequence.h"
#include "cadlib/win32/bound_cad_library.h"
#include "controls/win32/check_list.h"
#include "controls/win32/command_table.h"
#include "controls/win32/gdi.h"
#include "controls/win32/window_base.h"
#include "export/export_choices.h"
#include "export/export_run.h"
#include "platform/win32/path_variable.h"
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

// The steps of the start-up and the shutdown (LoadProgramTexts, ApplyProgramTexts,
// SetLibraryDirs, ReadStartTimeout, StartCAD, ReadCADFormats, LoadSettings, SaveSettings) are
// in app/start_up_sequence.cpp and app/shutdown_sequence.cpp; the window does for them what
// needs Windows.
class TfrmExport final : public TWindowBase,
                         private StartUpHost,
                         private ShutdownHost,
                         private CadLibraryHost,
                         private ExportChoiceFields,
                         private ExportRunMainView {
public:
    TfrmExport() = default;
    ~TfrmExport() override;

    // Creates the window and runs the start-up sequence. ECADLibraryLoadError leaves it
    // (the program then ends with exit code 1); other errors are reported here.
    void Create(HINSTANCE instance, HWND owner);
    bool IsOpen() const { return Exists(); }
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

    // What the window owns, for the start-up and the shutdown.
    MainWindowData WindowData();

    // StartUpHost and ShutdownHost.
    void InstallRestoreProcedure() override;
    EnvironmentSnapshot CaptureEnvironment() override;
    std::string MyDocumentsFolder() override;
    std::u16string ProgramFile() override;
    void ShowMainWindow() override;
    void ShowMessageBox(const std::u16string& text) override;
    void ReportError(const std::exception& error) override;
    void LoadCADLibrary(const std::u16string& folder) override;
    void UnloadCADLibrary() override;
    bool LibraryLoaded() const override;
    CadLibrary& Library() override { return library_; }
    void UpdateExportButton() override;

    // CadLibraryHost.
    void PutInFrontOfPath(const std::u16string& folder) override;
    void RestorePath() override;
    bool FolderExists(const std::u16string& folder) override;
    void SetCurrentFolder(const std::u16string& folder) override;
    void LoadCADBasket(const std::u16string& folder) override;
    void UnloadCADBasket() override;

    // CadStartHost; Pump serves CadLibraryHost as well.
    void ShowStartingPanel() override;
    void ShowProgramControls() override;
    void Pump() override;
    void Sleep(int milliseconds) override;
    double NowInDays() override;
    void RequestTerminate() override;
    bool CloseRequested() override { return closeGate_.ClosePending(); }

    // ProgramTextTargets.
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(int control, const std::u16string& caption) override;
    void SetStartingPanelCaption(const std::string& caption) override;
    void SetHint(int control, const std::u16string& hint) override;
    std::u16string Hint(int control) const override;
    void SetExportButtonLabel(const std::u16string& label) override;
    void ShowHint(NMTTDISPINFOW* request) const;

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

    // Window plumbing.
    void CreateControls();
    // A window moved to a monitor of another scale lays itself out again at its DPI.
    void DpiChanged(WPARAM wParam, LPARAM suggestedRect);
    HWND Control(int id) const;
    std::u16string ControlText(int id) const override;
    void SetControlText(int id, const std::u16string& text) override;
    static LRESULT CALLBACK RestoreWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void HandleCloseRequest();

    static const TCommandHandler<TfrmExport> kCommands[];

    HINSTANCE instance_ = nullptr;
    TFont font_;
    HWND tooltip_ = nullptr;
    std::map<int, std::u16string> hints_;
    WNDPROC previousWndProc_ = nullptr; // FPreviousWndProc

    TCloseGate closeGate_{[this] { PostMessageW(Handle(), WM_CLOSE, 0, 0); }};
    TfrmExportDetails* details_ = nullptr;
    TfrmError* errors_ = nullptr;
    bool runStarted_ = false; // a program start carries at most one run

    std::unique_ptr<TStringHash> texts_; // the text table
    KeptTexts keptTexts_;
    BasketParameters basket_;
    TCheckList formatsList_;   // FormatsList
    TCheckList subDirListBox_; // SubDirListBox
    TExportChoices choices_{formatsList_, subDirListBox_, *this};
    int32_t startTimeout_ = 120; // FStartTimeout
    PathPrefix savedPath_;       // FSavedPath
    BoundCadLibrary library_{CADLibraryHandle()};
};

} // namespace qrv
