#include "export/win32/error_window.h"

#include "controls/win32/window_dpi.h"
#include "controls/win32/window_font.h"
#include "export/export_window_ids.h"
#include "export/export_window_layout.h"
#include "platform/ansi.h"
#include "platform/win32/wide.h"

namespace qrv {

TfrmError::~TfrmError() {
    // The window goes before the font it draws with.
    if (Handle() != nullptr) {
        DestroyWindow(Handle());
    }
}

void TfrmError::Create(HINSTANCE instance, HWND owner) {
    // The screen's DPI until the window exists; then the window's own.
    const unsigned screenDpi = SystemDpiOf(nullptr);
    CreateWindowOf(instance,
                   {.name = ids::kErrorWindowClass,
                    .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))},
                   0, L"", WS_OVERLAPPEDWINDOW,
                   {CW_USEDEFAULT, CW_USEDEFAULT, ScaleToDpi(kErrorWindowWidth, screenDpi),
                    ScaleToDpi(kErrorWindowHeight, screenDpi)},
                   owner);
    const unsigned dpi = TakeOwnDpi(Handle(), screenDpi, [](unsigned at) {
        return SIZE{ScaleToDpi(kErrorWindowWidth, at), ScaleToDpi(kErrorWindowHeight, at)};
    });
    font_ = CreateWindowFont(dpi);
    RECT client;
    GetClientRect(Handle(), &client);
    const HWND memo = CreateWindowExW(
        0, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
            ES_AUTOHSCROLL | ES_NOHIDESEL,
        0, 0, client.right, client.bottom, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::memErrors)), instance, nullptr);
    SendMessageW(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    // A multi-line edit holds 32,767 characters unless told otherwise; a long run fails more.
    SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);
}

HWND TfrmError::Memo() const {
    return GetDlgItem(Handle(), ids::memErrors);
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

LRESULT TfrmError::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        MoveWindow(Memo(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_TIMER:
        Flush();
        return 0;
    case WM_DPICHANGED:
        font_ = TakeNewDpi(Handle(), wParam, lParam); // the list follows in WM_SIZE
        return 0;
    case WM_CLOSE:
        ShowWindow(Handle(), SW_HIDE); // it lives until the program ends
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace qrv
