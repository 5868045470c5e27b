#include "app/main_window_texts.h"

#include "app/main_window_ids.h"
#include "platform/ansi.h"
#include "texts/program_text_rows.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace qrv {
namespace {

class RecordingTargets : public TProgramTextTargets {
public:
    std::string title;
    std::string startingPanel;
    std::u16string exportLabel;
    std::map<int, std::u16string> captions;
    std::map<int, std::u16string> hints;

    void SetApplicationTitle(const std::string& text) override { title = text; }
    void SetCaption(int control, const std::u16string& caption) override {
        captions[control] = caption;
    }
    void SetStartingPanelCaption(const std::string& caption) override { startingPanel = caption; }
    void SetHint(int control, const std::u16string& hint) override { hints[control] = hint; }
    std::u16string Hint(int control) const override {
        const auto it = hints.find(control);
        return it == hints.end() ? std::u16string() : it->second;
    }
    void SetExportButtonLabel(const std::u16string& label) override { exportLabel = label; }
};

struct Applied {
    RecordingTargets targets;
    TKeptTexts kept;
    TSubDirCaptions subDirs = DefaultSubDirCaptions();
};

Applied Apply(const TStringHash& texts) {
    Applied applied;
    ApplyProgramTexts(texts, applied.targets, applied.kept, applied.subDirs);
    return applied;
}

TEST(ApplyProgramTexts, WithoutTextsEveryCaptionShowsItsKey) {
    const TStringHash none;
    const Applied a = Apply(none);
    EXPECT_EQ(a.targets.title, "~DOVEravar");
    EXPECT_EQ(a.targets.exportLabel, u"~Export");
    EXPECT_EQ(a.targets.captions.at(ids::lblExportFormats), u"~CADAvailableFormats");
    EXPECT_EQ(a.targets.captions.at(ids::lblExportDestination), u"~ExportDestination");
    EXPECT_EQ(a.targets.captions.at(ids::lblSubfolderOptions), u"~SubfolderOptions");
    EXPECT_EQ(a.targets.captions.at(ids::cbCreateZip), u"~CreateZipFile");
    EXPECT_EQ(a.targets.captions.at(ids::lblWindowsWillPopUp), u"~CADWindowsWillOpen");
    EXPECT_EQ(a.targets.hints.at(ids::SubDirListBox), u"~ExportToSubfoldersOrder");
    EXPECT_EQ(a.targets.hints.at(ids::btnMoveUp), u"~MoveOneUp");
    EXPECT_EQ(a.targets.hints.at(ids::btnMoveDown), u"~MoveOneDown");
    EXPECT_EQ(a.targets.startingPanel, "~StartingPDataMgr");
    EXPECT_EQ(a.kept.Close, u"~Close");
    EXPECT_EQ(a.kept.Details, u"~Details");
    EXPECT_EQ(a.subDirs, DefaultSubDirCaptions());
}

TEST(ApplyProgramTexts, TranslationsGoToTheirTargetsAndEightBitOnesLoseWhatTheCodePageLacks) {
    TStringHash texts;
    // Characters without any near match in Windows-1252: Windows maps letters such as \u0159 to
    // "r" instead of "?".
    texts.SetValue(u"~DOVEravar", u"CAD-Export \u0416");
    texts.SetValue(u"~CADAvailableFormats", u"Verf\u00fcgbare Formate");
    texts.SetValue(u"~ExportFormats", u"wrong key");
    texts.SetValue(u"~ExportToSubfoldersOrder", u"Reihenfolge \u4e2d");
    texts.SetValue(u"~StartingPDataMgr", u"Startet \u0161");
    texts.SetValue(u"~Series", u"Baureihe \u4e2d");
    texts.SetValue(u"~Abbruch", u"Abbrechen");
    const Applied a = Apply(texts);
    EXPECT_EQ(a.targets.title, "CAD-Export ?");
    EXPECT_EQ(a.targets.captions.at(ids::lblExportFormats), u"Verf\u00fcgbare Formate");
    // Hints keep the full text; the list's hint is the label's, read back.
    EXPECT_EQ(a.targets.hints.at(ids::SubDirListBox), u"Reihenfolge \u4e2d");
    EXPECT_EQ(a.targets.startingPanel, "Startet \x9A"); // š is in Windows-1252
    EXPECT_EQ(a.kept.StartingPDataMgr, u"Startet \u0161");
    EXPECT_EQ(a.kept.Abbruch, u"Abbrechen");
    EXPECT_EQ(a.subDirs[sdBaureihe], "Baureihe ?");
    EXPECT_EQ(a.subDirs[sdWKB], "~BasketName");
}

// A caption whose key the loader does not ask the database for would never be translated.
TEST(ApplyProgramTexts, EveryKeyItShowsIsOneTheLoaderReads) {
    TStringHash texts;
    for (const std::u16string& key : ProgramTextKeys(DefaultSubDirCaptions())) {
        texts.SetValue(key, u"translated");
    }
    const Applied a = Apply(texts);
    std::vector<std::u16string> shown = {u"" + a.targets.exportLabel, FromAnsi(a.targets.title),
                                         FromAnsi(a.targets.startingPanel)};
    for (const auto& [control, caption] : a.targets.captions) {
        shown.push_back(caption);
    }
    for (const auto& [control, hint] : a.targets.hints) {
        shown.push_back(hint);
    }
    for (const std::u16string* kept :
         {&a.kept.NoError, &a.kept.Errors, &a.kept.Total, &a.kept.Details, &a.kept.StartingPDataMgr,
          &a.kept.Abbruch, &a.kept.Canceled, &a.kept.Finished, &a.kept.Close,
          &a.kept.CreateZipFile}) {
        shown.push_back(*kept);
    }
    for (const std::string& name : a.subDirs) {
        shown.push_back(FromAnsi(name));
    }
    for (const std::u16string& text : shown) {
        EXPECT_EQ(text, u"translated");
    }
}

} // namespace
} // namespace qrv
