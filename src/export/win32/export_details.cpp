#include "export/win32/export_details.h"
#include "platform/win32/window_text.h"

#include "controls/win32/label.h"
#include "controls/win32/message_boxes.h"
#include "controls/win32/progress_bar.h"
#include "export/export_window_ids.h"
#include "export/export_window_layout.h"
#include "export/run_time.h"
#include "framework/win32/mouse_state_button.h"
#include "platform/ansi.h"
#include "platform/decimal_text.h"
#include "platform/win32/system_message.h"
#include "platform/win32/wide.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace qrv {

namespace {

constexpr DWORD kLabel = WS_VISIBLE | SS_NOPREFIX;

constexpr TControlSpec kExportDetailsControls[] = {
    {ids::lblPartNo, kLabelClass, L"", kLabel | SS_ENDELLIPSIS},
    {ids::lblType, kLabelClass, L"", kLabel | SS_ENDELLIPSIS},
    {ids::lblID1, kLabelClass, L"", kLabel | SS_ENDELLIPSIS},
    {ids::lblID2, kLabelClass, L"", kLabel | SS_ENDELLIPSIS},
    {ids::detailsPgBar, PROGRESS_CLASSW, L"", 0}, // shown when a run is prepared
    {ids::lblTimeElapsed, kLabelClass, L"", kLabel | SS_ENDELLIPSIS},
    {ids::lblTimeLeft, kLabelClass, L"", kLabel | SS_RIGHT | SS_ENDELLIPSIS},
    {ids::lblGood, kLabelClass, L"", kLabel},
    {ids::lblBad, kLabelClass, L"", kLabel},
    {ids::lblAll, kLabelClass, L"", kLabel},
    {ids::btnOpenFolder, kMouseStateButtonClass, L"", WS_TABSTOP}, // shown when the run ends
    {ids::btnAbort, kMouseStateButtonClass, L"", WS_VISIBLE | WS_TABSTOP | WS_DISABLED},
};

constexpr TFormDesign kExportDetailsDesign = {
    .className = ids::kExportDetailsClass,
    .style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, // no caption-bar buttons
    .exStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
    .origin = {0, 0},
    .width = kDetailsClientWidth,
    .height = kDetailsClientHeight,
    .layout = kExportDetailsLayout,
    .controls = kExportDetailsControls,
};

std::u16string CountLabel(const std::u16string& label, int32_t count) {
    return label + u": " + DecimalText(count);
}

} // namespace

const TCommandHandler<TfrmExportDetails> TfrmExportDetails::kCommands[] = {
    {ids::btnAbort, BN_CLICKED, &TfrmExportDetails::btnAbortClick},
    {ids::btnOpenFolder, BN_CLICKED, &TfrmExportDetails::btnOpenFolderClick},
    {IDCANCEL, 0, &TfrmExportDetails::EscapePressed},
};

TfrmExportDetails::TfrmExportDetails(TProgramShell& shell)
    : TForm(kExportDetailsDesign), shell_(shell) {}

void TfrmExportDetails::Create(HINSTANCE instance, HWND owner, HWND programWindow,
                               const TKeptTexts& texts) {
    programWindow_ = programWindow;
    texts_ = &texts;
    RegisterLabelClass(instance);
    RegisterMouseStateButtonClass(instance);
    CreateForm(instance, owner);
}

void TfrmExportDetails::SetText(int id, const std::u16string& text) {
    // Twice a part most labels keep their text: a label redraws only when it changes.
    auto& shown = shown_[id];
    if (shown && *shown == text) {
        return;
    }
    shown = text;
    SetWindowTextOf(Control(id), text);
}

void TfrmExportDetails::SetBarPosition(int32_t position) {
    if (position != barPosition_) {
        barPosition_ = position;
        TProgressBar(Control(ids::detailsPgBar)).SetPosition(position);
    }
}

void TfrmExportDetails::SetCounts(int32_t good, int32_t bad) {
    SetText(ids::lblGood, CountLabel(texts_->NoError, good));
    SetText(ids::lblBad, CountLabel(texts_->Errors, bad));
}

void TfrmExportDetails::ShowTimes(int32_t finished) {
    const int64_t now = shell_.NowInMilliseconds();
    if (!partsBegan_) {
        partsBegan_ = now;
    }
    const TRunTexts& texts = texts_->run;
    const auto taken = static_cast<TMilliseconds>(now - runBegan_);
    SetText(ids::lblTimeElapsed, WithValue(texts.timeElapsed, ClockText(taken)));
    const auto left =
        EstimateTimeLeft(static_cast<TMilliseconds>(now - *partsBegan_), finished, parts_);
    SetText(ids::lblTimeLeft, left ? TimeLeftText(*left, texts) : u"");
}

void TfrmExportDetails::ShowEnded() {
    const TMilliseconds taken = shell_.NowInMilliseconds() - runBegan_;
    SetText(ids::lblTimeElapsed, WithValue(texts_->run.totalTime, ClockText(taken)));
    SetText(ids::lblTimeLeft, u"");
    TxQRV3MouseStateButton open(Control(ids::btnOpenFolder));
    open.SetEnabled(true);
    ShowWindow(open.Handle(), SW_SHOWNA);
}

void TfrmExportDetails::PrepareRun(int32_t parts) {
    parts_ = parts;
    prepared_ = true;
    runBegan_ = shell_.NowInMilliseconds();
    partsBegan_.reset();
    SetWindowTextA(Handle(), ToAnsi(texts_->Details).c_str()); // an 8-bit caption
    TxQRV3MouseStateButton abort(Control(ids::btnAbort));
    abort.Set_LabelCaption(texts_->Abbruch);
    abort.SetEnabled(true);
    FAborted = false;
    FFinished = false;
    TProgressBar bar(Control(ids::detailsPgBar));
    bar.SetRange(0, parts);
    barPosition_ = -1;
    SetBarPosition(0);
    bar.Show(true);
    SetCounts(0, 0);
    SetText(ids::lblAll, CountLabel(texts_->Total, parts));
    for (const int label : {ids::lblPartNo, ids::lblType, ids::lblID1, ids::lblID2,
                            ids::lblTimeElapsed, ids::lblTimeLeft}) {
        SetText(label, u"");
    }
    TxQRV3MouseStateButton open(Control(ids::btnOpenFolder));
    ShowWindow(open.Handle(), SW_HIDE);
    open.Set_LabelCaption(texts_->run.openFolder);
}

void TfrmExportDetails::CentreOnProgramWindow() {
    RECT program;
    RECT own;
    if (programWindow_ == nullptr || !GetWindowRect(programWindow_, &program) ||
        !GetWindowRect(Handle(), &own)) {
        return;
    }
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(Handle(), nullptr, (program.left + program.right - width) / 2,
                 (program.top + program.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmExportDetails::Show() {
    CentreOnProgramWindow();
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(Control(ids::btnAbort));
}

void TfrmExportDetails::SetPartLabel(const std::u16string& text) {
    SetText(ids::lblPartNo, text);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TfrmExportDetails::ShowProgress(const std::u16string& partNo, const std::u16string& type,
                                     const std::u16string& id1, const std::u16string& id2,
                                     int32_t position, int32_t good, int32_t bad) {
    SetBarPosition(position);
    SetCounts(good, bad);
    SetText(ids::lblPartNo, partNo);
    SetText(ids::lblType, type);
    SetText(ids::lblID1, id1);
    SetText(ids::lblID2, id2);
    ShowTimes(good + bad);
    shell_.Pump();
}

void TfrmExportDetails::ShowFinished() {
    if (FAborted) {
        SetText(ids::lblPartNo, texts_->Canceled);
    } else {
        SetText(ids::lblPartNo, texts_->Finished);
        SetBarPosition(parts_);
    }
    for (const int label : {ids::lblType, ids::lblID1, ids::lblID2}) {
        SetText(label, u"");
    }
    TxQRV3MouseStateButton close(Control(ids::btnAbort));
    close.Set_LabelCaption(texts_->Close);
    close.SetEnabled(true);
    ShowEnded();
    FFinished = true;
}

void TfrmExportDetails::ShowFailed() {
    TxQRV3MouseStateButton close(Control(ids::btnAbort));
    close.Set_LabelCaption(texts_->Close);
    close.SetEnabled(true);
    ShowEnded();
    FFinished = true;
}

void TfrmExportDetails::btnAbortClick() {
    FAborted = true;
    TxQRV3MouseStateButton(Control(ids::btnAbort)).SetEnabled(false);
    if (FFinished) {
        ShowWindow(Handle(), SW_HIDE);
        PostMessageW(programWindow_, WM_CLOSE, 0, 0);
    }
}

void TfrmExportDetails::btnOpenFolderClick() {
    // The system's file manager in a window of its own; the program goes on until Close.
    SHELLEXECUTEINFOW open{};
    open.cbSize = sizeof(open);
    open.fMask = SEE_MASK_FLAG_NO_UI;
    open.hwnd = Handle();
    open.lpVerb = L"open";
    open.lpFile = Wide(destination_);
    open.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&open)) {
        ShowMessage(destination_ + u"\n" + SystemMessage(GetLastError()));
    }
}

void TfrmExportDetails::BringUp() {
    if (!IsWindowVisible(Handle())) {
        CentreOnProgramWindow();
        ShowWindow(Handle(), SW_SHOW);
    }
    SetForegroundWindow(Handle());
}

void TfrmExportDetails::EscapePressed() {
    // Escape puts away the dialog that no run has prepared.
    if (!prepared_) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TfrmExportDetails::OnCommand(int control, unsigned notification) {
    DispatchCommand(*this, kCommands, control, notification);
}

void TfrmExportDetails::OnClose() {
    // Only the button closes the dialog of a run; one that no run has prepared may go.
    if (!prepared_) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

} // namespace qrv
