#pragma once
// The main window as the program's sequences and its export run see it: what it shows, and the
// fields that keep the program's values (the destination, the CAD folders, the zip choice and
// the two check lists). The Windows build's TfrmExport implements it; tests record it.

#include "app/main_window_texts.h"
#include "cadlib/cad_start.h"
#include "controls/check_list_view.h"
#include "export/export_choices.h"
#include "export/export_run.h"

#include <string>

namespace qrv {

// The hidden fields BrowseCADData and BrowseCADSoftware: the folders the library is handed.
struct TCADFolders {
    std::u16string cadData;
    std::u16string cadSoftware;
};

class TMainWindowView : public TProgramTextTargets,
                        public TExportChoiceFields,
                        public TExportRunMainView,
                        public TCADStartView {
public:
    // From here on a second copy of the program brings this one to the front.
    virtual void InstallRestoreProcedure() = 0;
    // The window becomes visible with its starting panel.
    virtual void ShowMainWindow() = 0;
    // Enables the Export button when the session allows a run, else disables it.
    virtual void UpdateExportButton() = 0;
    virtual TCADFolders CADFolders() const = 0;
    virtual void SetCADFolders(const TCADFolders& folders) = 0;
    virtual TCheckListView& FormatsList() = 0;
    virtual TCheckListView& SubDirListBox() = 0;
    // The window closes once control returns to the message loop.
    virtual void PostClose() = 0;
};

} // namespace qrv
