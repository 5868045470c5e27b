#include "app/start_up_sequence.h"

#include "app/recording_roles.h"
#include "export/recording_library.h"
#include "platform/utf.h"
#include "settings/temp_folder.h"
#include "texts/jet_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qrv {
namespace {

using testing::LibraryRefused;
using testing::Log;

class RecordingStartingLibrary final : public testing::RecordingLibrary {
public:
    bool neverIdle = false;
    bool CadIsSleeping() override { return RecordingLibrary::CadIsSleeping() && !neverIdle; }
};

// A program folder with a German texts database, an application-data folder with saved
// settings, and a catalogue environment with one part.
class StartUpTest : public ::testing::Test, public testing::RecordedSession {
protected:
    StartUpTest() {
        SubDirCaptions() = DefaultSubDirCaptions();
        programFile = (folder.Path() / "program" / "QRV3DOVEravar.exe").u16string();
        environment = {"APPDATA=" + appData,
                       "xQRVCADENAS_=C:\\CADENAS",
                       "CADENASEXPORTDLL_=C:\\CADENAS\\lib",
                       "xQRVLanguage=DEDE",
                       "ShopName=Shop",
                       "CADCount=1",
                       "PartNo_0=P-1"};
        library.library = &cadLibrary;
        cadLibrary.formats = {{u"STEP AP214", u"STEP214"}};
        cadLibrary.sharedLog = &log;
        const auto texts = testing::TextsDatabase({{u"DEDE", u"PROGRAM", u"~DOVEravar", u"Ex"}});
        Write(ProgramTextsDatabasePath(programFile), std::string(texts.begin(), texts.end()));
        WriteSettings(u"[System]\r\nStartPDataMgrTimeoutSeconds=7\r\n[Selection]\r\n"
                      u"Formats=STEP214~*~\r\nExportDestination=D:\\Export\r\n");
    }
    ~StartUpTest() override { SubDirCaptions() = DefaultSubDirCaptions(); }

    // The program joins folders with "\": on Linux the rest of such a path is one file name.
    static void Write(const std::u16string& path, std::string_view bytes) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        testing::WriteBytes(std::filesystem::path(path), bytes);
    }
    void WriteSettings(std::u16string_view text) {
        Write(settingsFile, "\xFF\xFE" + testing::Utf16LeBytes(text));
    }
    void Run() {
        // As the window does: a close request during the start-up waits until it has ended.
        const TCloseGate::TWork startUp(session.closeGate);
        RunStartUpSequence(session, mainWindow,
                           {TEnvironmentSnapshot(environment), programFile,
                            [] { return std::string("C:\\Users\\me\\Documents"); }});
    }
    bool Logged(const std::string& entry) const {
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& line) { return line.starts_with(entry); });
    }

    testing::TempFolder folder;
    const std::string appData = (folder.Path() / "appdata").string();
    const std::u16string settingsFile =
        Utf8ToUtf16(appData) + u"\\Quellon\\DOVEravar\\doveravar.ini";
    std::vector<std::string> environment;
    std::u16string programFile;
    RecordingStartingLibrary cadLibrary;
};

const Log& NormalStart() {
    static const Log log = {
        "InstallRestoreProcedure",
        "SetProgressText|",
        "SetDestination|C:\\Users\\me\\Documents\\Quellon\\CADFiles",
        "ShowMainWindow",
        "SetApplicationTitle|Ex",
        "SetCadFolders|C:\\CADENAS\\lib\\..\\..\\..\\..\\|C:\\CADENAS\\software\\",
        "Pump",
        "PutInFrontOfPath|C:\\CADENAS\\lib\\",
        "SetCurrentFolder|C:\\CADENAS\\lib\\",
        "LoadCADBasket|C:\\CADENAS\\lib\\",
        "Pump",
        "lib SetDirs|C:\\CADENAS\\lib\\..\\..\\..\\..\\|C:\\CADENAS\\software\\|"
        "C:\\Users\\me\\Documents\\Quellon\\CADFiles\\|Shop",
        "Pump",
        "StartingPanel",
        "Pump",
        "lib CadStart",
        "Pump",
        "lib CadIsSleeping",
        "ProgramControls",
        "Pump",
        "Pump",
        "lib GetCADCount",
        "lib GetCADName|0",
        "lib GetCADName|0",
        "Pump",
        "Pump",
        "FormatsList Clear",
        "FormatsList Add|STEP AP214",
        "Pump",
        "SubDirListBox Add|~BasketName",
        "SubDirListBox Add|~CADFormatDesignation",
        "SubDirListBox Add|~FirstLetterOfSeries",
        "SubDirListBox Add|~Series",
        "SubDirListBox Add|~Teilenummer",
        "SetDestination|D:\\Export",
        "BringWindowsToFront",
        "Pump",
        "UpdateExportButton"};
    return log;
}

// A normal start up to the first entry that begins with the text.
Log NormalStartBefore(const std::string& entry) {
    const auto end = std::find_if(NormalStart().begin(), NormalStart().end(),
                                  [&](const std::string& line) { return line.starts_with(entry); });
    EXPECT_NE(end, NormalStart().end()) << entry;
    return {NormalStart().begin(), end};
}

TEST_F(StartUpTest, ANormalStartRunsEveryStepInOrder) {
    Run();
    EXPECT_EQ(log, NormalStart());
    EXPECT_EQ(session.SettingsPath, settingsFile);
    EXPECT_EQ(session.FStartTimeout, 7);
    EXPECT_EQ(session.basket.FPartNoList, std::vector<std::u16string>{u"P-1"});
    EXPECT_TRUE(mainWindow.formats.entries.at(0).checked);
    EXPECT_EQ(mainWindow.destination, u"D:\\Export");
}

// Pumps of a normal start: 1 before loading the library, 2 after it, 3 after handing over the
// folders, 4 to 6 in the CAD start, 7 after it, 8 after the first format, 9 after the formats,
// 10 after listing them, 11 after bringing the windows to the front.
struct PumpPoint {
    int pump;
    std::string firstStepNotRun; // how the first entry that must not come begins
};

void PrintTo(const PumpPoint& point, std::ostream* out) {
    *out << "pump " << point.pump;
}

class CloseDuringStartUp : public StartUpTest, public ::testing::WithParamInterface<PumpPoint> {};

TEST_P(CloseDuringStartUp, EndsTheStartUpAfterThatPump) {
    shell.closeAtPump = GetParam().pump;
    Run();
    EXPECT_EQ(log, NormalStartBefore(GetParam().firstStepNotRun));
}

// In the CAD start (pump 5) the wait ends at the next query, the start-up at its next pump.
INSTANTIATE_TEST_SUITE_P(
    EveryPumpPoint, CloseDuringStartUp,
    ::testing::Values(PumpPoint{1, "PutInFrontOfPath"}, PumpPoint{2, "lib SetDirs"},
                      PumpPoint{3, "StartingPanel"}, PumpPoint{5, "lib GetCADCount"},
                      PumpPoint{7, "lib GetCADCount"}, PumpPoint{8, "FormatsList Clear"},
                      PumpPoint{9, "FormatsList Clear"}, PumpPoint{10, "SubDirListBox"},
                      PumpPoint{11, "UpdateExportButton"}));

TEST_F(StartUpTest, AnUnreadableEnvironmentIsToldAndTheStartGoesOnWithWhatWasRead) {
    // Far more parts than the environment holds.
    std::replace(environment.begin(), environment.end(), std::string("CADCount=1"),
                 std::string("CADCount=100000"));
    Run();
    Log expected = NormalStart();
    expected.insert(expected.begin() + 4, "Message|Exception reading env");
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(session.basket.FPartNoList.empty());
}

TEST_F(StartUpTest, AMissingTextsDatabaseIsToldAndTheTextsStayTheirKeys) {
    const std::u16string database = ProgramTextsDatabasePath(programFile);
    std::filesystem::remove(std::filesystem::path(database));
    Run();
    Log expected = NormalStart();
    expected[4] = "SetApplicationTitle|~DOVEravar";
    expected.insert(expected.begin() + 4,
                    "Message|Error, file " + Utf16ToUtf8(database) + " not found");
    EXPECT_EQ(log, expected);
}

TEST_F(StartUpTest, ARefusedLibraryLeavesTheStartUpAndNothingRunsAfterIt) {
    library.loadRefused = true;
    EXPECT_THROW(Run(), LibraryRefused);
    Log expected = NormalStartBefore("lib SetDirs");
    expected.pop_back(); // the pump after the loading
    EXPECT_EQ(log, expected);
}

TEST_F(StartUpTest, NoFoldersGoToALibraryThatIsNotLoaded) {
    library.loadLeavesNoLibrary = true;
    Run();
    EXPECT_FALSE(Logged("lib SetDirs"));
    EXPECT_EQ(log.back(), "UpdateExportButton");
}

TEST_F(StartUpTest, ACadSystemThatStaysBusyIsToldAndEndsTheStartUp) {
    cadLibrary.neverIdle = true;
    WriteSettings(u"[System]\r\nStartPDataMgrTimeoutSeconds=1\r\n");
    Run();
    EXPECT_EQ(Log(log.end() - 3, log.end()),
              (Log{"ProgramControls", "Pump", "Message|Exception starting CAD (timeout)"}));
    // A query every 100 ms for the second that the settings give.
    EXPECT_EQ(std::count(log.begin(), log.end(), "lib CadIsSleeping"), 10);
}

TEST_F(StartUpTest, ACloseRequestDuringTheCadStartEndsItWithoutAMessage) {
    cadLibrary.neverIdle = true;
    shell.closeAtPump = 5;
    Run();
    Log expected = NormalStartBefore("lib GetCADCount");
    expected.pop_back(); // the start-up's own pump after the CAD start
    EXPECT_EQ(log, expected);
}

TEST_F(StartUpTest, TooManyFormatsGoToTheErrorReportAndTheStartGoesOn) {
    cadLibrary.countOverride = kMaxCADFormats + 1;
    Run();
    const auto count = std::find(log.begin(), log.end(), "lib GetCADCount");
    ASSERT_NE(count, log.end());
    EXPECT_EQ(count[1],
              std::string("ErrorReport|") + ETooManyCADFormats(kMaxCADFormats + 1).what());
    EXPECT_EQ(log.back(), "UpdateExportButton");
}

TEST_F(StartUpTest, OtherFailuresWhileReadingTheFormatsAreIgnored) {
    cadLibrary.throwOn = "GetCADName";
    Run();
    EXPECT_FALSE(Logged("Message") || Logged("ErrorReport"));
    EXPECT_TRUE(mainWindow.formats.entries.empty());
    EXPECT_EQ(log.back(), "UpdateExportButton");
}

} // namespace
} // namespace qrv
