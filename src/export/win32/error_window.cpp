#include "export/win32/error_window.h"

#include "controls/win32/message_boxes.h"
#include "export/export_window_ids.h"
#include "export/export_window_layout.h"
#include "export/failed_parts_file.h"
#include "platform/ansi.h"
#include "platform/decimal_text.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/system_message.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_text.h"
#include "platform/win32/write_all.h"

#include <commdlg.h>

#include <algorithm>
#include <stdexcept>

namespace qrv {

namespace {

// The Save As dialog's file name: the window's caption with what a file name cannot hold
// replaced, and ".txt".
std::u16string ProposedFileName(std::u16string caption) {
    std::replace_if(
        caption.begin(), caption.end(),
        [](char16_t c) {
            return c < u' ' ||
                   std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
        },
        u'_');
    return caption + u".txt";
}

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

TfrmError::TfrmError(TProgramShell& shell) : TForm(kErrorWindowDesign), shell_(shell) {}

TfrmError::~TfrmError() {
    SetWindowAccelerators(Handle(), nullptr);
}

void TfrmError::Create(HINSTANCE instance, HWND owner, const TKeptTexts& texts) {
    texts_ = &texts;
    CreateForm(instance, owner);
    // A multi-line edit holds 32,767 characters unless told otherwise; a long run fails more.
    SendMessageW(Memo(), EM_SETLIMITTEXT, 0, 0);
    CreateMenuBar(texts);
}

void TfrmError::CreateMenuBar(const TKeptTexts& texts) {
    const HMENU file = CreatePopupMenu();
    const HMENU bar = CreateMenu();
    // The window destroys its menu bar, and the bar its menus.
    if (file == nullptr || bar == nullptr || !SetMenu(Handle(), bar)) {
        throw std::runtime_error("The menu of the error window could not be created.");
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), Wide(texts.run.fileMenu));
    AppendMenuW(file, MF_STRING, ids::cmdSaveListAs, Wide(texts.run.saveListAs));
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, ids::cmdCloseList, Wide(texts.Close));
    DrawMenuBar(Handle());
    ACCEL save{FCONTROL | FVIRTKEY, 'S', ids::cmdSaveListAs};
    accelerators_.reset(CreateAcceleratorTableW(&save, 1));
    SetWindowAccelerators(Handle(), accelerators_.get());
}

HWND TfrmError::Memo() const {
    return Control(ids::memErrors);
}

void TfrmError::Clear() {
    failed_.clear();
    pending_.clear();
    lastPartBegan_ = 0;
    SetWindowTextW(Memo(), L"");
}

void TfrmError::AddError(const std::u16string& caption, const TFailedPart& part) {
    failed_.push_back(part);
    const std::string ansiCaption = ToAnsi(caption); // an 8-bit caption
    if (ansiCaption != caption_) {
        caption_ = ansiCaption;
        SetWindowTextA(Handle(), caption_.c_str());
    }
    pending_ += u"\r\n";
    pending_ += ErrorLine(part.partNo, part.type, part.id1, part.id2);
    if (shell_.NowInMilliseconds() - lastFlush_ >= kRefreshMilliseconds) {
        Flush();
    } else if (!timerSet_) {
        timerSet_ = SetTimer(Handle(), 1, kRefreshMilliseconds, nullptr) != 0;
    }
}

void TfrmError::ShowPendingErrors() {
    const int64_t now = shell_.NowInMilliseconds();
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
    lastFlush_ = shell_.NowInMilliseconds();
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

void TfrmError::SaveListAs() {
    Flush();
    const TRunTexts& texts = texts_->run;
    std::u16string fileName = ProposedFileName(texts_->Errors);
    fileName.resize(std::max<size_t>(fileName.size(), MAX_PATH) * 4);
    const std::u16string filter = texts.textFiles + u'\0' + u"*.txt" + u'\0';
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = Wide(filter);
    dialog.lpstrFile = reinterpret_cast<wchar_t*>(fileName.data());
    dialog.nMaxFile = static_cast<DWORD>(fileName.size());
    dialog.lpstrDefExt = L"txt";
    dialog.lpstrInitialDir = destination_.empty() ? nullptr : Wide(destination_);
    // The current folder stays: the CAD export library may rely on it.
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) {
        if (const DWORD error = CommDlgExtendedError(); error != 0) {
            // The dialog's own error codes.
            ShowMessage(texts.saveFailed + u" (" + DecimalText(error) + u")");
        }
        return; // cancelled
    }
    const std::u16string path(fileName.c_str());
    const DWORD error = WriteNewFile(path, FailedPartsFile(failed_, WindowText(Memo())));
    if (error != ERROR_SUCCESS) {
        ShowMessage(texts.saveFailed + u"\n\n" + path + u"\n" + SystemMessage(error));
    }
}

void TfrmError::OnCommand(int control, unsigned /*notification*/) {
    // From the menu or, for Save, the shortcut.
    if (control == ids::cmdSaveListAs) {
        SaveListAs();
    } else if (control == ids::cmdCloseList) {
        OnClose();
    }
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
