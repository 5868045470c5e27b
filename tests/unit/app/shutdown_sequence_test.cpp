#include "app/shutdown_sequence.h"

#include "app/recording_roles.h"
#include "platform/utf.h"
#include "settings/temp_folder.h"
#include "settings/wide_ini_file.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using testing::Log;

// A session whose start-up got as far as the settings: one format, checked.
class ShutdownTest : public ::testing::Test, public testing::RecordedSession {
protected:
    ShutdownTest() {
        SubDirCaptions() = DefaultSubDirCaptions();
        session.SettingsPath = (folder.Path() / "doveravar.ini").u16string();
        session.choices.CADFormats().push_back(std::make_unique<TCADFormat>());
        session.choices.CADFormats()[0]->SettingsName = u"STEP214";
        session.choices.FillFormatsList();
        mainWindow.formats.SetChecked(0, true);
        session.choices.FillSubDirList();
        session.basket.FPartNoList = {u"P-1"};
        session.texts = std::make_unique<TStringHash>();
        library.onRestorePath = [this] { freedBeforeUnloading = Freed(); };
        log.clear();
    }
    bool Freed() const {
        return session.basket.FPartNoList.empty() && session.choices.CADFormats().empty() &&
               session.texts == nullptr;
    }

    testing::TempFolder folder;
    bool freedBeforeUnloading = false;
};

TEST_F(ShutdownTest, SavesTheChoicesThenFreesWhatTheWindowOwnsThenUnloadsTheLibrary) {
    RunShutdown(session);
    EXPECT_EQ(log, Log{"RestorePath"}); // the unloading of a library that is not loaded
    EXPECT_TRUE(freedBeforeUnloading);
    EXPECT_EQ(TWideIniFile(session.SettingsPath).ReadString(u"Selection", u"Formats", u""),
              u"STEP214~*~");
}

TEST_F(ShutdownTest, ASettingsFileThatCannotBeWrittenIsToldOnceAndTheShutdownGoesOn) {
    testing::WriteBytes(folder.Path() / "Quellon", "a file where the folder should be");
    session.SettingsPath = (folder.Path() / "Quellon" / "doveravar.ini").u16string();
    RunShutdown(session);
    EXPECT_EQ(log, (Log{"Message|The settings could not be saved. Unable to write to " +
                            Utf16ToUtf8(session.SettingsPath),
                        "RestorePath"}));
    EXPECT_TRUE(freedBeforeUnloading);
}

TEST_F(ShutdownTest, AFailingUnloadIsIgnored) {
    library.onRestorePath = [] { throw std::runtime_error("FreeLibrary failed"); };
    EXPECT_NO_THROW(RunShutdown(session));
    EXPECT_TRUE(Freed());
}

} // namespace
} // namespace qrv
