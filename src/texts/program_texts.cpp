#include "texts/program_texts.h"

#include "app/main_window_ids.h"
#include "platform/ansi.h"
#include "platform/utf.h"
#include "texts/jet/byte_source.h"
#include "texts/program_text_rows.h"

namespace qrv {

std::u16string ProgramTextsDatabasePath(const std::u16string& programFile) {
    const auto slash = programFile.find_last_of(u"\\/");
    std::u16string folder =
        slash == std::u16string::npos ? std::u16string() : programFile.substr(0, slash + 1);
    if (folder.empty() || folder.back() != u'\\') {
        folder.push_back(u'\\');
    }
    return folder + u"data\\tables\\ado\\QRV3RUN_2K.mdb";
}

void LoadProgramTexts(TStringHash& texts, const std::u16string& databasePath,
                      const std::string& language, const TSubDirCaptions& subDirCaptions) {
    // The file stays open, shared for reading only, while the database object lives.
    const jet::Database database(jet::OpenDatabaseFile(databasePath), Utf16ToUtf8(databasePath),
                                 kProgramTextsPassword);
    const auto keys = ProgramTextKeys(subDirCaptions);
    for (const auto& [key, text] :
         ReadProgramTextRows(database, language, kProgramTextsGroup, keys)) {
        texts.SetValue(key, text);
    }
}

std::u16string LookupText(const TStringHash& texts, const std::u16string& key) {
    return texts.Contains(key) ? texts.GetValue(key) : key;
}

void ApplyProgramTexts(const TStringHash& texts, ProgramTextTargets& targets, KeptTexts& kept,
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
