#include "export/win32/taskbar_progress.h"

namespace qrv {

namespace {

TBPFLAG Flag(TExportTaskbarView::TState state) {
    switch (state) {
    case TExportTaskbarView::TState::error:
        return TBPF_ERROR;
    case TExportTaskbarView::TState::paused:
        return TBPF_PAUSED;
    case TExportTaskbarView::TState::normal:
        break;
    }
    return TBPF_NORMAL;
}

} // namespace

UINT TTaskbarProgress::ButtonCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
    return message;
}

void TTaskbarProgress::ButtonCreated() {
    if (!list_) {
        TComPtr<ITaskbarList3> list;
        if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(ITaskbarList3),
                                    reinterpret_cast<void**>(list.Receive()))) ||
            FAILED(list->HrInit())) {
            return;
        }
        list_ = std::move(list);
    }
    shown_.reset(); // a new button shows nothing yet
    Update();
}

void TTaskbarProgress::ShowProgress(int32_t done, int32_t parts, TState state) {
    wanted_ = TShown{done, parts, state};
    Update();
}

void TTaskbarProgress::Clear() {
    wanted_.reset();
    Update();
}

void TTaskbarProgress::Update() {
    if (!list_) {
        return;
    }
    if (!wanted_) {
        if (shown_) {
            list_->SetProgressState(window_, TBPF_NOPROGRESS);
            shown_.reset();
        }
        return;
    }
    if (!shown_ || shown_->state != wanted_->state) {
        list_->SetProgressState(window_, Flag(wanted_->state));
    }
    if ((!shown_ || shown_->done != wanted_->done || shown_->parts != wanted_->parts) &&
        wanted_->parts > 0) {
        list_->SetProgressValue(window_, static_cast<ULONGLONG>(wanted_->done),
                                static_cast<ULONGLONG>(wanted_->parts));
    }
    shown_ = wanted_;
}

} // namespace qrv
