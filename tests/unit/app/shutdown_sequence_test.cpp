#include "app/shutdown_sequence.h"

#include "app/recording_roles.h"
#include "app/settings_path.h"
#include "export/fake_check_list.h"
#include "platform/utf.h"
#include "settings/temp_folder.h"
#include "settings/wide_ini_file.h"

#include <gtest/gtest.h>

#include <functional>

namespace qrv {
namespace {

using testing::Log;

// A window whose start-up got as far as the settings: one format, checked.
class ShutdownTest : public ::testing::Test {
protected:
    ShutdownTest() {
        SubDirCaptions() = DefaultSubDirCaptions();
        SettingsPath() = (folder.Path() / "doveravar.ini").u16string();
        choices.CADFormats().push_back(std::make_unique<TCADFormat>());
        choices.CADFormats()[0]->SettingsName = u"STEP214";
        choices.FillFormatsList();
        formats.SetChecked(0, true);
        choices.FillSubDirList();
        basket.FPartNoList = {u"P-1"};
        texts = std::make_unique<TStringHash>();
        library.onRestorePath = [this] { freedBeforeUnloading = Freed(); };
    }
    ~ShutdownTest() override { SettingsPath() = savedSettingsPath; }

    void Run() { RunShutdown(messages, library, {texts, kept, basket, choices, startTimeout}); }
    bool Freed() const {
        return basket.FPartNoList.empty() && choices.CADFormats().empty() && texts == nullptr;
    }

    testing::TempFolder folder;
    const std::u16string savedSettingsPath = SettingsPath();
    Log log;
    testing::RecordingMessages messages{log};
    testing::RecordingLibraryOwner library{log};
    testing::FakeCheckList formats;
    testing::FakeCheckList subDirs;
    testing::FakeFields fields;
    TExportChoices choices{formats, subDirs, fields};
    std::unique_ptr<TStringHash> texts;
    KeptTexts kept;
    BasketParameters basket;
    int32_t startTimeout = 120;
    bool freedBeforeUnloading = false;
};

TEST_F(ShutdownTest, SavesTheChoicesThenFreesWhatTheWindowOwnsThenUnloadsTheLibrary) {
    Run();
    EXPECT_EQ(log, Log{"RestorePath"}); // the unloading of a library that is not loaded
    EXPECT_TRUE(freedBeforeUnloading);
    EXPECT_EQ(TWideIniFile(SettingsPath()).ReadString(u"Selection", u"Formats", u""),
              u"STEP214~*~");
}

TEST_F(ShutdownTest, ASettingsFileThatCannotBeWrittenIsToldOnceAndTheShutdownGoesOn) {
    testing::WriteBytes(folder.Path() / "Quellon", "a file where the folder should be");
    SettingsPath() = (folder.Path() / "Quellon" / "doveravar.ini").u16string();
    Run();
    EXPECT_EQ(log, (Log{"Message|The settings could not be saved. Unable to write to " +
                            Utf16ToUtf8(SettingsPath()),
                        "RestorePath"}));
    EXPECT_TRUE(freedBeforeUnloading);
}

TEST_F(ShutdownTest, AFailingUnloadIsIgnored) {
    library.onRestorePath = [] { throw std::runtime_error("FreeLibrary failed"); };
    EXPECT_NO_THROW(Run());
    EXPECT_TRUE(Freed());
}

} // namespace
} // namespace qrv
