#pragma once
// The export run: every part of the basket, in order, through the CAD export library, with
// progress, good and bad counts, a line per failed part, and abort after the current part.
// The windows are reached through the three views below; the Windows build implements them
// with the main window, the progress dialog and the error window.

#include "cadlib/basket.h"
#include "cadlib/cad_library.h"
#include "export/export_choices.h"

#include <cstdint>
#include <string>

namespace qrv {

// The main window's share of a run: the Export button, its progress bar and progress text,
// and bringing the program's windows to the front.
class TExportRunMainView {
public:
    virtual ~TExportRunMainView() = default;
    virtual void SetProgressText(const std::u16string& text) = 0;
    // Hides and disables the Export button; nothing shows it again.
    virtual void HideExportButton() = 0;
    // Minimum 0, the given maximum, position 0, visible.
    virtual void ShowProgressBar(int32_t maximum) = 0;
    virtual void SetProgressPosition(int32_t position) = 0;
    virtual void HideProgressBar() = 0;
    virtual void BringWindowsToFront() = 0;
};

// The progress dialog.
class TExportProgressView {
public:
    virtual ~TExportProgressView() = default;
    virtual void PrepareRun(int32_t parts) = 0;
    // The folder the run exports into, which the dialog offers to open once the run has ended.
    virtual void SetDestinationFolder(const std::u16string& folder) = 0;
    virtual void Show() = 0;
    // Sets the label and paints the dialog at once, without handling messages: the library
    // call that follows may block for long.
    virtual void SetPartLabel(const std::u16string& text) = 0;
    // Shows the part and the counts, then handles the program's waiting window messages once:
    // the only place where a run lets input in (an abort click among it).
    virtual void ShowProgress(const std::u16string& partNo, const std::u16string& type,
                              const std::u16string& id1, const std::u16string& id2,
                              int32_t position, int32_t good, int32_t bad) = 0;
    virtual bool Aborted() const = 0;
    virtual void ShowFinished() = 0;
    // The run ended through a failure: the button becomes Close, the labels keep where the
    // run stopped.
    virtual void ShowFailed() = 0;
};

// A part that the library reported as failed, as the basket has it (without its CAD string).
struct TFailedPart {
    std::u16string partNo;
    std::u16string type;
    std::u16string id1;
    std::u16string id2;
};

// The error window.
class TExportErrorView {
public:
    virtual ~TExportErrorView() = default;
    virtual void Clear() = 0;
    // The folder the run exports into, where the list is offered to be saved.
    virtual void SetDestinationFolder(const std::u16string& folder) = 0;
    // Captions the window, appends the part's error line and shows the window.
    virtual void AddError(const std::u16string& caption, const TFailedPart& part) = 0;
    // Puts in the lines that wait to be shown; called before each part, which may take long.
    virtual void ShowPendingErrors() = 0;
};

// The program's taskbar button, which shows the run to a user who works in other windows.
class TExportTaskbarView {
public:
    enum class TState { normal, error, paused };
    virtual ~TExportTaskbarView() = default;
    // `done` of `parts` parts; error from the first failed part on, paused while an abort waits.
    virtual void ShowProgress(int32_t done, int32_t parts, TState state) = 0;
    // The button shows no run any more.
    virtual void Clear() = 0;
};

// For a run without a taskbar button.
TExportTaskbarView& NoTaskbarButton();

// What a run reads when it starts.
struct TExportRunInputs {
    const TBasketParameters& basket;
    std::u16string cadDataFolder;     // the hidden CAD data field
    std::u16string cadSoftwareFolder; // the hidden CAD software field
    std::u16string destination;       // as typed
    TExportChoices& choices;
    std::u16string startingText; // the translated "~StartingPDataMgr"
    std::u16string errorsText;   // the translated "~Errors"
};

// "G+B/N": the counts and the number of parts, without blanks or padding.
std::u16string ProgressText(int32_t good, int32_t bad, int32_t parts);
// "- " part "  " type "   " ID1 "   " ID2: the line of a failed part (no CAD string).
std::u16string ErrorLine(const std::u16string& partNo, const std::u16string& type,
                         const std::u16string& id1, const std::u16string& id2);

// Hands the four folders to the library: the destination with a trailing backslash, an empty
// shop name as "default". Does nothing without a library.
void SetLibraryDirs(TCADLibrary* library, const std::u16string& cadData,
                    const std::u16string& cadSoftware, const std::u16string& destination,
                    const std::u16string& shopName);

// The run. library is null when no library is loaded: the windows are prepared and the run
// ends before any library call. An exception from the library or a view leaves the run after
// ExportCAD_EndExport (when the export had begun) and with the progress bar hidden; the
// progress dialog then offers Close. When the library fails in ExportCAD_EndExport as well,
// the exception that leaves names both faults. The taskbar button shows the run from the
// first library call on and is cleared on every way out.
void RunExport(TCADLibrary* library, const TExportRunInputs& inputs, TExportRunMainView& main,
               TExportProgressView& progress, TExportErrorView& errors,
               TExportTaskbarView& taskbar = NoTaskbarButton());

} // namespace qrv
