#include "texts/program_texts.h"

#include "app/main_window_ids.h"
#include "settings/temp_folder.h"
#include "texts/jet/jet_error.h"
#include "texts/jet_fixture.h"

#include <gtest/gtest.h>

#include <map>

namespace qrv {
namespace {

class RecordingTargets : public ProgramTextTargets {
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
    KeptTexts kept;
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

TEST(ProgramTextsDatabasePath, BesideTheProgram) {
    EXPECT_EQ(ProgramTextsDatabasePath(u"C:\\Programs\\QRV\\QRV3DOVEravar.exe"),
              u"C:\\Programs\\QRV\\data\\tables\\ado\\QRV3RUN_2K.mdb");
    EXPECT_EQ(ProgramTextsDatabasePath(u"QRV3DOVEravar.exe"),
              u"\\data\\tables\\ado\\QRV3RUN_2K.mdb");
}

class LoadProgramTextsTest : public ::testing::Test {
protected:
    std::u16string Write(const std::vector<testing::TextRow>& rows,
                         textsdb::WriterOptions options = {}) {
        const auto bytes = testing::TextsDatabase(rows, true, options);
        const std::u16string path = folder_.File(u"QRV3RUN_2K.mdb");
        testing::WriteBytes(std::filesystem::path(path), std::string(bytes.begin(), bytes.end()));
        return path;
    }
    testing::TempFolder folder_;
};

TEST_F(LoadProgramTextsTest, SelectsTheLanguageLikeJetAndTheLaterRowWins) {
    const auto path = Write({
        {u"ENGB", u"PROGRAM", u"~Export", u"Export"},
        {u"DEDE", u"PROGRAM", u"~Export", u"Exportieren"},
        {u"ENGB", u"CATALOG", u"~Close", u"not the program's group"},
        {u"ENGB", u"PROGRAM", u"~Close", u"Close"},
        {u"ENGB", u"PROGRAM", u"~Close", u"Close later"},
        {u"ENGB", u"PROGRAM", u"~EXPORT", u"upper-case key"},
        {u"ENGB", u"PROGRAM", u"~Unknown", u"not a program key"},
        {u"ENGB", u"PROGRAM", u"~Teilenummer", u"Part number"},
    });
    TStringHash texts;
    LoadProgramTexts(texts, path, "engb", DefaultSubDirCaptions());
    EXPECT_EQ(texts.GetValue(u"~Export"), u"Export");
    EXPECT_EQ(texts.GetValue(u"~Close"), u"Close later");
    EXPECT_EQ(texts.GetValue(u"~Teilenummer"), u"Part number");
    // Selected by Jet's case-blind filter, stored under its own key: it labels nothing.
    EXPECT_EQ(texts.GetValue(u"~EXPORT"), u"upper-case key");
    EXPECT_FALSE(texts.Contains(u"~Unknown"));
    EXPECT_EQ(Apply(texts).targets.exportLabel, u"Export");
}

TEST_F(LoadProgramTextsTest, LanguageWithoutRowsLeavesTheTableEmpty) {
    const auto path = Write({{u"ENGB", u"PROGRAM", u"~Export", u"Export"}});
    TStringHash texts;
    LoadProgramTexts(texts, path, "EN'GB", DefaultSubDirCaptions());
    EXPECT_EQ(texts.HighItem(), -1);
}

TEST_F(LoadProgramTextsTest, WrongPasswordFailsLikeJet) {
    textsdb::WriterOptions options;
    options.password = u"other";
    const auto path = Write({{u"ENGB", u"PROGRAM", u"~Export", u"Export"}}, options);
    TStringHash texts;
    EXPECT_THROW(LoadProgramTexts(texts, path, "ENGB", DefaultSubDirCaptions()), jet::JetError);
}

} // namespace
} // namespace qrv
