#pragma once
// The layouts of the progress dialog and the error window at 96 DPI.

#include "export/export_window_ids.h"
#include "platform/control_place.h"

namespace qrv {

inline constexpr int kDetailsClientWidth = 558;
inline constexpr int kDetailsClientHeight = 199;

inline constexpr TControlPlace kExportDetailsLayout[] = {
    {ids::lblPartNo, {16, 16, 526, 13}},    {ids::lblType, {16, 32, 526, 13}},
    {ids::lblID1, {16, 48, 526, 13}},       {ids::lblID2, {16, 64, 526, 13}},
    {ids::detailsPgBar, {29, 94, 500, 17}}, {ids::lblGood, {16, 130, 400, 13}},
    {ids::lblBad, {16, 146, 400, 13}},      {ids::lblAll, {16, 162, 400, 13}},
    {ids::btnAbort, {442, 163, 100, 28}}, // the bitmap button's own size
};

// The error window's outer size; its list of errors fills the client area.
inline constexpr int kErrorWindowWidth = 588;
inline constexpr int kErrorWindowHeight = 550;

} // namespace qrv
