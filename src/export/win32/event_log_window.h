#pragma once
// The event log's window: the log's lines, and while it is open the lines that come, to read,
// select and copy; Copy puts the whole log on the clipboard, Save as writes it into a text file
// the user chooses (UTF-8 with a byte-order mark, CR LF, as the list of failed parts). A window
// of its own that the user can make larger or smaller, owned by the application window.
//
// New lines are put in together, at most every kRefreshMilliseconds: a run does not wait for
// the field. While lines are left out of a long log, the field takes the whole text anew, at
// most every kWholeTextMilliseconds.

#include "controls/win32/text_window.h"
#include "platform/event_log.h"
#include "texts/program_texts.h"

#include <windows.h>

#include <cstdint>

namespace qrv {

class TfrmEventLog final : public TTextWindow {
public:
    // Shows the log in the texts' language; made when it is first opened.
    TfrmEventLog(HINSTANCE instance, HWND owner, TEventLog& log, const TKeptTexts& texts);
    // The log no longer tells the window of new lines.
    ~TfrmEventLog() override;

    static constexpr UINT kRefreshMilliseconds = 200;
    static constexpr UINT kWholeTextMilliseconds = 2000;

private:
    void Refresh() override;
    std::u16string WholeText() const override;
    void OnOtherCommand(int control) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    TEventLogMarks Marks() const;
    // A line came: the field takes it at the next refresh, if the window is shown.
    void LineAdded();
    bool LinesLeftOutSinceShown() const;
    // Puts in the lines that came since they were last shown, or with `whole` the whole log
    // anew, keeping what the user selected and sees unless the caret was at the end: then the
    // field follows the new lines.
    void ShowLines(bool whole);
    void SaveAs();

    TEventLog& log_;
    const TKeptTexts& texts_;
    uint64_t shownRecorded_ = 0;
    uint64_t shownLeftOut_ = 0;
    uint64_t shownLost_ = 0;
    bool timerSet_ = false;
};

} // namespace qrv
