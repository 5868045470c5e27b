#include "export/win32/event_log_window.h"

#include "controls/win32/save_text_file.h"
#include "controls/win32/window_dpi.h"
#include "export/export_window_ids.h"
#include "export/export_window_layout.h"
#include "platform/utf.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_text.h"

namespace qrv {

namespace {

constexpr TControlSpec kEventLogControls[] = {
    kTextWindowLabel,
    TextWindowField(WS_HSCROLL | ES_AUTOHSCROLL),
    TextWindowButton(ids::btnCopy),
    TextWindowButton(ids::btnSaveLogAs),
    TextWindowButton(ids::btnPutAway),
};

constexpr DWORD kEventLogStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;

constexpr TFormDesign kEventLogDesign = {
    .className = ids::kEventLogWindowClass,
    .style = kEventLogStyle,
    .width = kEventLogClientWidth,
    .height = kEventLogClientHeight,
    .layout = kEventLogLayout,
    .controls = kEventLogControls,
};

} // namespace

TfrmEventLog::TfrmEventLog(HINSTANCE instance, HWND owner, TEventLog& log, const TKeptTexts& texts)
    : TTextWindow(kEventLogDesign, instance, owner), log_(log), texts_(texts) {
    log_.SetListener([this] { LineAdded(); });
}

TfrmEventLog::~TfrmEventLog() {
    log_.SetListener({});
}

TEventLogMarks TfrmEventLog::Marks() const {
    return {texts_.run.logLinesLeftOut, texts_.run.logLinesLost};
}

std::u16string TfrmEventLog::WholeText() const {
    return log_.Text(Marks());
}

void TfrmEventLog::Refresh() {
    const TRunTexts& texts = texts_.run;
    SetCaptions(texts.eventLogTitle, texts.eventLogLabel, texts.copy, texts_.Close);
    SetWindowTextOf(Control(ids::btnSaveLogAs), texts.saveAs);
    ShowLines(/*whole=*/true);
}

void TfrmEventLog::LineAdded() {
    if (timerSet_ || !Exists() || !IsWindowVisible(Handle())) {
        return;
    }
    timerSet_ = SetTimer(Handle(), 1,
                         LinesLeftOutSinceShown() ? kWholeTextMilliseconds : kRefreshMilliseconds,
                         nullptr) != 0;
}

bool TfrmEventLog::LinesLeftOutSinceShown() const {
    return log_.LeftOut() != shownLeftOut_ || log_.Lost() != shownLost_;
}

void TfrmEventLog::ShowLines(bool whole) {
    const HWND field = TextField();
    const std::u16string text = whole ? WholeText() : log_.TextFrom(shownRecorded_);
    shownRecorded_ = log_.Recorded();
    shownLeftOut_ = log_.LeftOut();
    shownLost_ = log_.Lost();
    if (text.empty() && !whole) {
        return;
    }
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(field));
    const bool following = start == end && end == length;
    const LRESULT firstLine = SendMessageW(field, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(field, WM_SETREDRAW, FALSE, 0);
    if (whole) {
        SetWindowTextOf(field, text);
    } else {
        SendMessageW(field, EM_SETSEL, length, length);
        SendMessageW(field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(text)));
    }
    if (following) {
        const int newLength = GetWindowTextLengthW(field);
        SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(newLength), newLength);
        SendMessageW(field, EM_SCROLLCARET, 0, 0);
    } else {
        SendMessageW(field, EM_SETSEL, start, end);
        SendMessageW(field, EM_LINESCROLL, 0,
                     firstLine - SendMessageW(field, EM_GETFIRSTVISIBLELINE, 0, 0));
    }
    SendMessageW(field, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(field, nullptr, TRUE);
}

void TfrmEventLog::SaveAs() {
    const TRunTexts& texts = texts_.run;
    SaveTextFileAs(Handle(), {texts.eventLogTitle, texts.logFiles, u"", texts.saveLogFailed},
                   [this] { return Utf16ToUtf8(u"\uFEFF" + WholeText()); });
}

void TfrmEventLog::OnOtherCommand(int control) {
    if (control == ids::btnSaveLogAs) {
        SaveAs();
    }
}

LRESULT TfrmEventLog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        KillTimer(Handle(), 1);
        timerSet_ = false;
        if (IsWindowVisible(Handle())) {
            ShowLines(LinesLeftOutSinceShown());
        }
        return 0;
    case WM_GETMINMAXINFO: {
        const unsigned dpi = WindowDpi(Handle());
        const SIZE least =
            OuterSizeForDpi(ScaleToDpi(kEventLogMinWidth, dpi), ScaleToDpi(kEventLogMinHeight, dpi),
                            kEventLogStyle, 0, dpi);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
        return 0;
    }
    default:
        return TTextWindow::OnMessage(message, wParam, lParam);
    }
}

} // namespace qrv
