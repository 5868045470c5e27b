#pragma once
// The error window TfrmError: one line per part that the library reported as failed, in an
// editable multi-line text the user can select and copy from. It comes up at the first failure
// of a run and again at each further one; closing it only hides it.
//
// An edit control's cost of taking a line grows with the lines it holds, and redrawing it
// takes long, so lines that come in quick succession are gathered and put in together, at
// most every kRefreshMilliseconds: a long run's cost per failed part stays the same.

#include "controls/win32/form.h"
#include "export/export_run.h"

#include <windows.h>

namespace qrv {

class TfrmError final : public TForm, public ExportErrorView {
public:
    TfrmError();

    // Created hidden.
    void Create(HINSTANCE instance, HWND owner);

    void Clear() override;
    // Captions the window (8-bit, as the ANSI code page has it), appends the line at the end
    // and shows the window without taking the input from the window that has it.
    void AddError(const std::u16string& caption, const std::u16string& line) override;
    // Puts the gathered lines in now; wholeText: drawn again as a whole at the next paint,
    // else the edit control draws what changed.
    void Flush(bool wholeText = true);
    // Before each part: the gathered lines are put in and painted, so that none waits through
    // a long part. Painting costs about 20 ms under Wine, so while parts take less than
    // kQuickPartMilliseconds (a library that answers at once does no CAD work) the lines stay
    // gathered and come in by the timer instead.
    void ShowPendingErrors() override;
    static constexpr ULONGLONG kQuickPartMilliseconds = 50;

    static constexpr UINT kRefreshMilliseconds = 200;

private:
    void OnClose() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND Memo() const;

    std::u16string pending_; // lines not yet in the text, each after a line break
    std::string caption_;
    ULONGLONG lastFlush_ = 0;
    ULONGLONG lastPartBegan_ = 0; // when the previous part was handed to the library
    bool timerSet_ = false;
};

} // namespace qrv
