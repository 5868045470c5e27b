#pragma once
// The About box, from the main window's system menu: the program's version and build, the
// system's version, the CAD export library with its file version, the texts database and the
// language, the settings file, and where the event log is, as a text the user can select and
// copy for a supporter. Not modal: a run goes on while it is open.

#include "app/program_session.h"
#include "controls/win32/text_window.h"

#include <windows.h>

namespace qrv {

class TfrmAbout final : public TTextWindow {
public:
    // Tells the session's facts in its texts' language; made when it is first opened.
    TfrmAbout(HINSTANCE instance, HWND owner, TProgramSession& session);

private:
    void Refresh() override;

    TProgramSession& session_;
};

} // namespace qrv
