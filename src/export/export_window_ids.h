#pragma once
// Window classes and control identifiers of the progress dialog and the error window, shared
// with the end-to-end tests that read them.

namespace qrv::ids {

inline constexpr wchar_t kExportDetailsClass[] = L"TfrmExportDetails";
inline constexpr wchar_t kErrorWindowClass[] = L"TfrmError";

enum TExportDetailsControl : int {
    lblPartNo = 300,
    lblType = 301,
    lblID1 = 302,
    lblID2 = 303,
    detailsPgBar = 304, // the dialog's pgBar
    lblGood = 305,
    lblBad = 306,
    lblAll = 307,
    btnAbort = 308,
    lblTimeElapsed = 309, // the time taken, and at the end the total time
    lblTimeLeft = 310,
    btnOpenFolder = 311, // opens the destination once the run has ended
};

enum TErrorWindowControl : int {
    memErrors = 400,
};

// The error window's menu commands.
enum TErrorWindowCommand : int {
    cmdSaveListAs = 410,
    cmdCloseList = 411,
};

} // namespace qrv::ids
