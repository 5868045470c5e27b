#pragma once
// The error window TfrmError: one line per part that the library reported as failed, in an
// editable multi-line text the user can select and copy from. It comes up at the first failure
// of a run and again at each further one; closing it only hides it.
//
// An edit control's cost of taking a line grows with the lines it holds, and redrawing it
// takes long, so lines that come in quick succession are gathered and put in together, at
// most every kRefreshMilliseconds: a long run's cost per failed part stays the same.
//
// The list outlives the program as a file: its File menu (and Ctrl+S) saves it through the
// system's Save As dialog as tab-separated text (export/failed_parts_file.h), the parts as the
// run reported them and the lines as the user left them.

#include "controls/win32/form.h"
#include "export/export_run.h"
#include "platform/program_shell.h"
#include "texts/program_texts.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace qrv {

class TfrmError final : public TForm, public TExportErrorView {
public:
    // Its clock is the shell's.
    explicit TfrmError(TProgramShell& shell);
    ~TfrmError() override;

    // Created hidden, with its menu in the texts' language.
    void Create(HINSTANCE instance, HWND owner, const TKeptTexts& texts);

    void SetDestinationFolder(const std::u16string& folder) override { destination_ = folder; }

    void Clear() override;
    // Captions the window (8-bit, as the ANSI code page has it), appends the part's line at
    // the end and shows the window without taking the input from the window that has it.
    void AddError(const std::u16string& caption, const TFailedPart& part) override;
    // Puts the gathered lines in now; wholeText: drawn again as a whole at the next paint,
    // else the edit control draws what changed.
    void Flush(bool wholeText = true);
    // Before each part: the gathered lines are put in and painted, so that none waits through
    // a long part. Painting costs about 20 ms under Wine, so while parts take less than
    // kQuickPartMilliseconds (a library that answers at once does no CAD work) the lines stay
    // gathered and come in by the timer instead.
    void ShowPendingErrors() override;
    static constexpr int64_t kQuickPartMilliseconds = 50;

    static constexpr UINT kRefreshMilliseconds = 200;

private:
    struct TAcceleratorsDeleter {
        void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
    };

    void CreateMenuBar(const TKeptTexts& texts);
    // Asks for a file and writes the list into it; a failure is told in a message box, and
    // the list stays as it is.
    void SaveListAs();
    void OnCommand(int control, unsigned notification) override;
    void OnClose() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND Memo() const;

    const TKeptTexts* texts_ = nullptr;
    std::unique_ptr<std::remove_pointer_t<HACCEL>, TAcceleratorsDeleter> accelerators_;
    std::vector<TFailedPart> failed_; // the run's, in the order it reported them
    std::u16string destination_;
    std::u16string pending_; // lines not yet in the text, each after a line break
    std::string caption_;
    TProgramShell& shell_;
    int64_t lastFlush_ = 0;
    int64_t lastPartBegan_ = 0; // when the previous part was handed to the library
    bool timerSet_ = false;
};

} // namespace qrv
