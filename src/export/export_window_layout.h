#pragma once
// The layouts of the progress dialog, the error window and the event log's window at 96 DPI.

#include "controls/text_window_ids.h"
#include "export/export_window_ids.h"
#include "platform/control_place.h"

namespace qrv {

inline constexpr int kDetailsClientWidth = 558;
inline constexpr int kDetailsClientHeight = 199;

// The time goes under the ends of the bar, the button that opens the destination left of
// Close; the counts end before it.
inline constexpr TControlPlace kExportDetailsLayout[] = {
    {ids::lblPartNo, {16, 16, 526, 13}},       {ids::lblType, {16, 32, 526, 13}},
    {ids::lblID1, {16, 48, 526, 13}},          {ids::lblID2, {16, 64, 526, 13}},
    {ids::detailsPgBar, {29, 94, 500, 17}},    {ids::lblTimeElapsed, {29, 114, 250, 13}},
    {ids::lblTimeLeft, {279, 114, 250, 13}},   {ids::lblGood, {16, 130, 300, 13}},
    {ids::lblBad, {16, 146, 300, 13}},         {ids::lblAll, {16, 162, 300, 13}},
    {ids::btnOpenFolder, {334, 163, 100, 28}}, {ids::btnAbort, {442, 163, 100, 28}},
};

// The error window's outer size; its list of errors fills the client area.
inline constexpr int kErrorWindowWidth = 588;
inline constexpr int kErrorWindowHeight = 550;

// The event log's window: the text grows with the window, the buttons keep to its lower right
// corner. It may be made as small as kEventLogMinWidth by kEventLogMinHeight.
inline constexpr int kEventLogClientWidth = 560;
inline constexpr int kEventLogClientHeight = 320;
inline constexpr int kEventLogMinWidth = 360;
inline constexpr int kEventLogMinHeight = 160;
inline constexpr TControlPlace kEventLogLayout[] = {
    {ids::lblText, {8, 8, 544, 13}, TFollow::stretch},
    {ids::memText, {8, 24, 544, 256}, TFollow::stretch, TFollow::stretch},
    {ids::btnCopy, {248, 288, 96, 24}, TFollow::move, TFollow::move},
    {ids::btnSaveLogAs, {352, 288, 96, 24}, TFollow::move, TFollow::move},
    {ids::btnPutAway, {456, 288, 96, 24}, TFollow::move, TFollow::move},
};

} // namespace qrv
