#pragma once
// Control identifiers of the program's text windows (controls/win32/text_window.h): the About
// box and the event log's window. Shared with their layouts and the end-to-end tests.

namespace qrv::ids {

enum TTextWindowControl : int {
    btnPutAway = 1, // OK or Close: IDOK, which Enter presses
    lblText = 500,
    memText = 501,
    btnCopy = 502,
    cmdSelectAll = 503, // Ctrl+A
};

} // namespace qrv::ids
