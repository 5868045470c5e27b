#pragma once
// Control identifiers of the main window, shared with the end-to-end tests that read it.

namespace qrv::ids {

enum TMainWindowControl : int {
    pnlStartingPDataMgr = 100,
    pnlProgramControls = 101,
    lblExportDestination = 110,
    BrowseDestination = 111,
    btnBrowse = 112,
    lblExportFormats = 113,
    FormatsList = 114,
    lblSubfolderOptions = 115,
    SubDirListBox = 116,
    btnMoveUp = 117,
    btnMoveDown = 118,
    cbCreateZip = 119,
    btnExport = 120,
    pgBar = 121,
    ProgressLabel = 122,
    lblWindowsWillPopUp = 123,
    BrowseCADData = 130,
    BrowseCADSoftware = 131,
    lblCadenasData = 132,
    lblCadenasSW = 133,
};

inline constexpr wchar_t kMainWindowClass[] = L"TfrmExport";
inline constexpr wchar_t kApplicationWindowClass[] = L"TQRV3DOVEravarApplication";

} // namespace qrv::ids
