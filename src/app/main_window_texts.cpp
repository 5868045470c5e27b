#include "app/main_window_texts.h"

#include "app/main_window_ids.h"
#include "platform/ansi.h"

namespace qrv {

void ApplyProgramTexts(const TStringHash& texts, TProgramTextTargets& targets, TKeptTexts& kept,
                       TSubDirCaptions& subDirCaptions) {
    auto text = [&](const char16_t* key) { return LookupText(texts, key); };

    targets.SetApplicationTitle(ToAnsi(text(u"~DOVEravar")));
    targets.SetCaption(ids::lblExportDestination, text(u"~ExportDestination"));
    targets.SetCaption(ids::lblExportFormats, text(u"~CADAvailableFormats"));
    targets.SetCaption(ids::lblSubfolderOptions, text(u"~SubfolderOptions"));
    targets.SetHint(ids::lblSubfolderOptions, text(u"~ExportToSubfoldersOrder"));
    targets.SetHint(ids::SubDirListBox, targets.Hint(ids::lblSubfolderOptions));
    targets.SetHint(ids::btnMoveUp, text(u"~MoveOneUp"));
    targets.SetHint(ids::btnMoveDown, text(u"~MoveOneDown"));
    targets.SetExportButtonLabel(text(u"~Export"));
    kept.NoError = text(u"~NoError");
    kept.Errors = text(u"~Errors");
    kept.Total = text(u"~Total");
    kept.Details = text(u"~Details");
    kept.StartingPDataMgr = text(u"~StartingPDataMgr");
    targets.SetStartingPanelCaption(ToAnsi(kept.StartingPDataMgr));
    kept.Abbruch = text(u"~Abbruch");
    kept.Canceled = text(u"~Canceled");
    kept.Finished = text(u"~Finished");
    kept.Close = text(u"~Close");
    kept.CreateZipFile = text(u"~CreateZipFile");
    targets.SetCaption(ids::cbCreateZip, kept.CreateZipFile);
    targets.SetCaption(ids::lblWindowsWillPopUp, text(u"~CADWindowsWillOpen"));
    for (std::string& caption : subDirCaptions) {
        caption = ToAnsi(LookupText(texts, FromAnsi(caption)));
    }
}

} // namespace qrv
