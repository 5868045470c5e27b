#pragma once
// The layouts of the progress dialog and the error window at 96 DPI.

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

} // namespace qrv
