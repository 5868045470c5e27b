#pragma once
// The layouts of the main window and the About box at 96 DPI.

#include "app/main_window_ids.h"
#include "controls/text_window_ids.h"
#include "platform/control_place.h"

namespace qrv {

inline constexpr int kMainClientWidth = 664;
inline constexpr int kMainClientHeight = 467;

// The hidden fields and the two panels lie in the client area, which each panel fills; the
// other controls lie in the program controls' panel.
inline constexpr TControlPlace kMainWindowLayout[] = {
    {ids::BrowseCADData, {0, 0, 100, 19}},
    {ids::BrowseCADSoftware, {0, 0, 100, 19}},
    {ids::lblCadenasData, {0, 0, 100, 13}},
    {ids::lblCadenasSW, {0, 0, 100, 13}},
    {ids::pnlStartingPDataMgr, {0, 0, kMainClientWidth, kMainClientHeight}},
    {ids::pnlProgramControls, {0, 0, kMainClientWidth, kMainClientHeight}},
    {ids::lblExportDestination, {16, 16, 300, 13}},
    {ids::BrowseDestination, {16, 32, 609, 19}},
    {ids::btnBrowse, {624, 31, 23, 22}},
    {ids::lblExportFormats, {16, 72, 300, 13}},
    {ids::FormatsList, {16, 88, 305, 297}},
    {ids::lblSubfolderOptions, {344, 72, 280, 13}},
    {ids::SubDirListBox, {344, 88, 277, 209}},
    {ids::btnMoveUp, {624, 88, 23, 22}},
    {ids::btnMoveDown, {624, 120, 23, 22}},
    {ids::cbCreateZip, {352, 304, 305, 41}},
    {ids::ProgressLabel, {344, 346, 300, 13}},
    {ids::pgBar, {349, 374, 297, 17}},
    {ids::lblWindowsWillPopUp, {16, 402, 500, 13}},
    {ids::btnExport, {552, 424, 100, 28}}, // the bitmap button's own size
};

// The About box, a window of a fixed size.
inline constexpr int kAboutClientWidth = 560;
inline constexpr int kAboutClientHeight = 264;
inline constexpr TControlPlace kAboutLayout[] = {
    {ids::lblText, {8, 8, 544, 13}},
    {ids::memText, {8, 24, 544, 200}},
    {ids::btnCopy, {352, 232, 96, 24}},
    {ids::btnPutAway, {456, 232, 96, 24}},
};

} // namespace qrv
