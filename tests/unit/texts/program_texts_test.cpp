#include "texts/program_texts.h"

#include "cadlib/sub_dir.h"
#include "settings/temp_folder.h"
#include "texts/jet/jet_error.h"
#include "texts/jet_fixture.h"

#include <gtest/gtest.h>

#include <map>

namespace qrv {
namespace {

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
    EXPECT_THROW(LoadProgramTexts(texts, path, "ENGB", DefaultSubDirCaptions()), jet::EJetError);
}

} // namespace
} // namespace qrv
