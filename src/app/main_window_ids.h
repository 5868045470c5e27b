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

// The main window's system menu items of the program's own (WM_SYSCOMMAND; the system keeps
// the lowest four bits and the values from 0xF000 on).
enum TMainWindowSystemCommand : unsigned {
    scAbout = 0x0100,
    scEventLog = 0x0110,
};

inline constexpr wchar_t kMainWindowClass[] = L"TfrmExport";
// The About box: a text window (controls/win32/text_window.h).
inline constexpr wchar_t kAboutBoxClass[] = L"TfrmAbout";
inline constexpr wchar_t kApplicationWindowClass[] = L"TQRV3DOVEravarApplication";

} // namespace qrv::ids
