#include "export/win32/error_window.h"

#include "export/export_window_ids.h"
#include "export/export_window_layout.h"
#include "platform/ansi.h"
#include "platform/win32/wide.h"

namespace qrv {

namespace {

constexpr TControlSpec kErrorWindowControls[] = {
    {.id = ids::memErrors,
     .className = L"EDIT",
     .text = L"",
     .style = WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
              ES_AUTOHSCROLL | ES_NOHIDESEL,
     .fillsClient = true},
};

constexpr TFormDesign kErrorWindowDesign = {
    .className = ids::kErrorWindowClass,
    .style = WS_OVERLAPPEDWINDOW,
    .width = kErrorWindowWidth,
    .height = kErrorWindowHeight,
    .outerSize = true,
    .controls = kErrorWindowControls,
};

} // namespace

TfrmError::TfrmError() : TForm(kErrorWindowDesign) {}

void TfrmError::Create(HINSTANCE instance, HWND owner) {
    CreateForm(instance, owner);
    // A multi-line edit holds 32,767 characters unless told otherwise; a long run fails more.
    SendMessageW(Memo(), EM_SETLIMITTEXT, 0, 0);
}

HWND TfrmError::Memo() const {
    return Control(ids::memErrors);
}

void TfrmError::Clear() {
    pending_.clear();
    lastPartBegan_ = 0;
    SetWindowTextW(Memo(), L"");
}

void TfrmError::AddError(const std::u16string& caption, const std::u16string& line) {
    const std::string ansiCaption = ToAnsi(caption); // an 8-bit caption
    if (ansiCaption != caption_) {
        caption_ = ansiCaption;
        SetWindowTextA(Handle(), caption_.c_str());
    }
    pending_ += u"\r\n";
    pending_ += line;
    if (GetTickCount64() - lastFlush_ >= kRefreshMilliseconds) {
        Flush();
    } else if (!timerSet_) {
        timerSet_ = SetTimer(Handle(), 1, kRefreshMilliseconds, nullptr) != 0;
    }
}

void TfrmError::ShowPendingErrors() {
    const ULONGLONG now = GetTickCount64();
    const bool quickParts = lastPartBegan_ != 0 && now - lastPartBegan_ < kQuickPartMilliseconds;
    lastPartBegan_ = now;
    if (pending_.empty() || quickParts) {
        return;
    }
    // The part that follows may block the program for long: the lines go in and are painted
    // now. Only the new lines are drawn, not the whole text.
    Flush(/*wholeText=*/false);
    UpdateWindow(Memo());
}

void TfrmError::Flush(bool wholeText) {
    if (timerSet_) {
        KillTimer(Handle(), 1);
        timerSet_ = false;
    }
    lastFlush_ = GetTickCount64();
    if (pending_.empty()) {
        return;
    }
    const HWND memo = Memo();
    const int length = GetWindowTextLengthW(memo);
    // The first line of the text has no line break before it.
    const wchar_t* text = Wide(pending_) + (length == 0 ? 2 : 0);
    if (wholeText) {
        SendMessageW(memo, WM_SETREDRAW, FALSE, 0);
    }
    SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(length), length);
    SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    if (wholeText) {
        SendMessageW(memo, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(memo, nullptr, TRUE);
    }
    pending_.clear();
    if (!IsWindowVisible(Handle())) {
        ShowWindow(Handle(), SW_SHOWNA);
    }
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmError::OnClose() {
    ShowWindow(Handle(), SW_HIDE); // it lives until the program ends
}

LRESULT TfrmError::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        Flush();
        return 0;
    }
    return TForm::OnMessage(message, wParam, lParam);
}

} // namespace qrv
