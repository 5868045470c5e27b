#pragma once
// The main window TfrmExport. Creating it runs the program's start-up sequence; closing it
// runs the shutdown.

#include "app/basket.h"
#include "cadlib/cad_start.h"
#include "cadlib/sub_dir.h"
#include "cadlib/win32/bound_cad_library.h"
#include "platform/win32/path_variable.h"
#include "texts/program_texts.h"

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <map>
#include <memory>
#include <string>

namespace qrv {

// The registered message that asks the running copy to come to the front.
UINT& RestoreMessage();
inline constexpr char kRestoreMessageName[] = "QRV3DOVEravar";

class TfrmExport final : private CadStartHost, private ProgramTextTargets {
public:
    TfrmExport() = default;
    TfrmExport(const TfrmExport&) = delete;
    TfrmExport& operator=(const TfrmExport&) = delete;
    ~TfrmExport() override;

    // Creates the window and runs the start-up sequence. ECADLibraryLoadError leaves it
    // (the program then ends with exit code 1); other errors are reported here.
    void Create(HINSTANCE instance, HWND owner);
    HWND Handle() const { return handle_; }
    bool IsOpen() const { return handle_ != nullptr; }

    // Carries out a close request that came while the start-up was running.
    void CloseIfRequestedDuringStartUp();
    // The shutdown for a program that ends without its window being closed.
    void ShutdownIfStillOpen();

private:
    // Handlers.
    void FormCreate();
    bool FormClose();
    void FormDestroy();

    // Start-up steps.
    bool StartCAD();
    void LoadCADLibrary();
    void UnloadCADLibrary();
    void SetLibraryDirs(const std::u16string& cadData, const std::u16string& cadSoftware,
                        const std::u16string& destination, const std::u16string& shopName);
    void ReadStartTimeout();
    void BringWindowsToFront();
    void LoadProgramTexts();
    void ApplyProgramTexts();

    // CadStartHost.
    void ShowStartingPanel() override;
    void ShowProgramControls() override;
    void Pump() override;
    void Sleep(int milliseconds) override;
    double NowInDays() override;
    void RequestTerminate() override;
    bool CloseRequested() override { return closeRequested_; }

    // ProgramTextTargets.
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(int control, const std::u16string& caption) override;
    void SetStartingPanelCaption(const std::string& caption) override;
    void SetHint(int control, const std::u16string& hint) override;
    std::u16string Hint(int control) const override;
    void SetExportButtonLabel(const std::u16string& label) override;
    void ShowHint(NMTTDISPINFOW* request) const;

    // Window plumbing.
    void CreateControls();
    HWND Control(int id) const;
    std::u16string ControlText(int id) const;
    void SetControlText(int id, const std::u16string& text);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK RestoreWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void HandleCloseRequest();

    HINSTANCE instance_ = nullptr;
    HWND handle_ = nullptr;
    HFONT font_ = nullptr;
    HWND tooltip_ = nullptr;
    std::map<int, std::u16string> hints_;
    WNDPROC previousWndProc_ = nullptr; // FPreviousWndProc

    bool startUpRunning_ = false;
    bool closeRequested_ = false;

    std::unique_ptr<TStringHash> texts_; // the text table
    KeptTexts keptTexts_;
    BasketParameters basket_;
    std::array<TSubDir, kSubDirCount> subDirOrder_{sdWKB, sdCADFormat, sdABC, sdBaureihe,
                                                   sdPartNo}; // FSubDirOrder
    int32_t startTimeout_ = 120;                              // FStartTimeout
    PathPrefix savedPath_;                                    // FSavedPath
    BoundCadLibrary library_;
};

// Module handle of the loaded CAD export library; null when none is loaded.
HMODULE& CADLibraryHandle();

} // namespace qrv
