#include "app/start_up_sequence.h"

#include "app/main_window_ids.h"
#include "app/recording_roles.h"
#include "app/settings_path.h"
#include "export/fake_check_list.h"
#include "export/recording_library.h"
#include "platform/utf.h"
#include "settings/temp_folder.h"
#include "texts/jet_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace qrv {
namespace {

using testing::LibraryRefused;
using testing::Log;

// The main window's own steps, every call in the log that the other fakes share.
class RecordingWindow final : public StartUpWindow {
public:
    Log log;

    void InstallRestoreProcedure() override { log.push_back("InstallRestoreProcedure"); }
    std::u16string ControlText(int control) const override { return controls_.at(control); }
    void SetControlText(int control, const std::u16string& text) override {
        static const std::map<int, std::string> names = {
            {ids::ProgressLabel, "ProgressLabel"},
            {ids::BrowseDestination, "BrowseDestination"},
            {ids::BrowseCADData, "BrowseCADData"},
            {ids::BrowseCADSoftware, "BrowseCADSoftware"}};
        log.push_back("SetControlText|" + names.at(control) + "|" + Utf16ToUtf8(text));
        controls_[control] = text;
    }
    void ShowMainWindow() override { log.push_back("ShowMainWindow"); }
    void ShowStartingPanel() override { log.push_back("StartingPanel"); }
    void ShowProgramControls() override { log.push_back("ProgramControls"); }
    void UpdateExportButton() override { log.push_back("UpdateExportButton"); }

private:
    std::map<int, std::u16string> controls_;
};

// A clock that only Sleep moves, and a close request that comes during a chosen pump.
class RecordingShell final : public ProgramShell {
public:
    int closeAtPump = 0; // counted from 1; 0: never

    RecordingShell(Log& log, TCloseGate& closeGate) : log_(log), closeGate_(closeGate) {}
    void Pump() override {
        log_.push_back("Pump");
        if (++pumps_ == closeAtPump) {
            closeGate_.RequestClose();
        }
    }
    void Sleep(int milliseconds) override { nowMs_ += milliseconds; }
    double NowInDays() override { return nowMs_ / 86400000.0; }
    void RequestTerminate() override { log_.push_back("RequestTerminate"); }
    std::string MyDocumentsFolder() override { return "C:\\Users\\me\\Documents"; }
    void BringWindowsToFront() override { log_.push_back("BringWindowsToFront"); }

private:
    Log& log_;
    TCloseGate& closeGate_;
    int pumps_ = 0;
    double nowMs_ = 0;
};

// The title stands for all the texts applied.
class RecordingCaptions final : public ProgramTextTargets {
public:
    explicit RecordingCaptions(Log& log) : log_(log) {}
    void SetApplicationTitle(const std::string& title) override {
        log_.push_back("SetApplicationTitle|" + title);
    }
    void SetCaption(int, const std::u16string&) override {}
    void SetStartingPanelCaption(const std::string&) override {}
    void SetHint(int, const std::u16string&) override {}
    std::u16string Hint(int) const override { return {}; }
    void SetExportButtonLabel(const std::u16string&) override {}

private:
    Log& log_;
};

class LoggingCheckList final : public testing::FakeCheckList {
public:
    LoggingCheckList(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    void Clear() override {
        log_.push_back(name_ + " Clear");
        FakeCheckList::Clear();
    }
    void Add(const std::u16string& caption) override {
        log_.push_back(name_ + " Add|" + Utf16ToUtf8(caption));
        FakeCheckList::Add(caption);
    }

private:
    std::string name_;
    Log& log_;
};

class StartingLibrary final : public testing::RecordingLibrary {
public:
    bool neverIdle = false;
    bool CadIsSleeping() override { return RecordingLibrary::CadIsSleeping() && !neverIdle; }
};

// A program folder with a German texts database, an application-data folder with saved
// settings, and a catalogue environment with one part.
class StartUpTest : public ::testing::Test {
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
        libraryOwner.library = &library;
        library.formats = {{u"STEP AP214", u"STEP214"}};
        library.sharedLog = &window.log;
        const auto texts = testing::TextsDatabase({{u"DEDE", u"PROGRAM", u"~DOVEravar", u"Ex"}});
        Write(ProgramTextsDatabasePath(programFile), std::string(texts.begin(), texts.end()));
        WriteSettings(u"[System]\r\nStartPDataMgrTimeoutSeconds=7\r\n[Selection]\r\n"
                      u"Formats=STEP214~*~\r\nExportDestination=D:\\Export\r\n");
    }
    ~StartUpTest() override {
        SettingsPath() = savedSettingsPath;
        SubDirCaptions() = DefaultSubDirCaptions();
    }

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
        const TCloseGate::TWork startUp(closeGate);
        RunStartUpSequence({window, captions, libraryOwner, shell, messages, closeGate},
                           {texts, kept, basket, choices, startTimeout},
                           {EnvironmentSnapshot(environment), programFile});
    }
    bool Logged(const std::string& entry) const {
        return std::any_of(window.log.begin(), window.log.end(),
                           [&](const std::string& line) { return line.starts_with(entry); });
    }

    testing::TempFolder folder;
    const std::string appData = (folder.Path() / "appdata").string();
    const std::u16string settingsFile =
        Utf8ToUtf16(appData) + u"\\Quellon\\DOVEravar\\doveravar.ini";
    const std::u16string savedSettingsPath = SettingsPath();
    RecordingWindow window;
    TCloseGate closeGate{[] {}};
    RecordingShell shell{window.log, closeGate};
    RecordingCaptions captions{window.log};
    testing::RecordingMessages messages{window.log};
    testing::RecordingLibraryOwner libraryOwner{window.log};
    std::vector<std::string> environment;
    std::u16string programFile;
    StartingLibrary library;
    LoggingCheckList formats{"FormatsList", window.log};
    LoggingCheckList subDirs{"SubDirListBox", window.log};
    testing::FakeFields fields;
    TExportChoices choices{formats, subDirs, fields};
    std::unique_ptr<TStringHash> texts;
    KeptTexts kept;
    BasketParameters basket;
    int32_t startTimeout = 120;
};

const Log& NormalStart() {
    static const Log log = {
        "InstallRestoreProcedure",
        "SetControlText|ProgressLabel|",
        "SetControlText|BrowseDestination|C:\\Users\\me\\Documents\\Quellon\\CADFiles",
        "ShowMainWindow",
        "SetApplicationTitle|Ex",
        "SetControlText|BrowseCADData|C:\\CADENAS\\lib\\..\\..\\..\\..\\",
        "SetControlText|BrowseCADSoftware|C:\\CADENAS\\software\\",
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
    EXPECT_EQ(window.log, NormalStart());
    EXPECT_EQ(SettingsPath(), settingsFile);
    EXPECT_EQ(startTimeout, 7);
    EXPECT_EQ(basket.FPartNoList, std::vector<std::u16string>{u"P-1"});
    EXPECT_TRUE(formats.entries.at(0).checked);
    EXPECT_EQ(fields.destination, u"D:\\Export");
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
    EXPECT_EQ(window.log, NormalStartBefore(GetParam().firstStepNotRun));
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
    EXPECT_EQ(window.log, expected);
    EXPECT_TRUE(basket.FPartNoList.empty());
}

TEST_F(StartUpTest, AMissingTextsDatabaseIsToldAndTheTextsStayTheirKeys) {
    const std::u16string database = ProgramTextsDatabasePath(programFile);
    std::filesystem::remove(std::filesystem::path(database));
    Run();
    Log expected = NormalStart();
    expected[4] = "SetApplicationTitle|~DOVEravar";
    expected.insert(expected.begin() + 4,
                    "Message|Error, file " + Utf16ToUtf8(database) + " not found");
    EXPECT_EQ(window.log, expected);
}

TEST_F(StartUpTest, ARefusedLibraryLeavesTheStartUpAndNothingRunsAfterIt) {
    libraryOwner.loadRefused = true;
    EXPECT_THROW(Run(), LibraryRefused);
    Log expected = NormalStartBefore("lib SetDirs");
    expected.pop_back(); // the pump after the loading
    EXPECT_EQ(window.log, expected);
}

TEST_F(StartUpTest, NoFoldersGoToALibraryThatIsNotLoaded) {
    libraryOwner.loadLeavesNoLibrary = true;
    Run();
    EXPECT_FALSE(Logged("lib SetDirs"));
    EXPECT_EQ(window.log.back(), "UpdateExportButton");
}

TEST_F(StartUpTest, ACadSystemThatStaysBusyIsToldAndEndsTheStartUp) {
    library.neverIdle = true;
    WriteSettings(u"[System]\r\nStartPDataMgrTimeoutSeconds=1\r\n");
    Run();
    EXPECT_EQ(Log(window.log.end() - 3, window.log.end()),
              (Log{"ProgramControls", "Pump", "Message|Exception starting CAD (timeout)"}));
    // A query every 100 ms for the second that the settings give.
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "lib CadIsSleeping"), 10);
}

TEST_F(StartUpTest, ACloseRequestDuringTheCadStartEndsItWithoutAMessage) {
    library.neverIdle = true;
    shell.closeAtPump = 5;
    Run();
    Log expected = NormalStartBefore("lib GetCADCount");
    expected.pop_back(); // the start-up's own pump after the CAD start
    EXPECT_EQ(window.log, expected);
}

TEST_F(StartUpTest, TooManyFormatsGoToTheErrorReportAndTheStartGoesOn) {
    library.countOverride = kMaxCADFormats + 1;
    Run();
    const auto count = std::find(window.log.begin(), window.log.end(), "lib GetCADCount");
    ASSERT_NE(count, window.log.end());
    EXPECT_EQ(count[1],
              std::string("ErrorReport|") + ETooManyCADFormats(kMaxCADFormats + 1).what());
    EXPECT_EQ(window.log.back(), "UpdateExportButton");
}

TEST_F(StartUpTest, OtherFailuresWhileReadingTheFormatsAreIgnored) {
    library.throwOn = "GetCADName";
    Run();
    EXPECT_FALSE(Logged("Message") || Logged("ErrorReport"));
    EXPECT_TRUE(formats.entries.empty());
    EXPECT_EQ(window.log.back(), "UpdateExportButton");
}

} // namespace
} // namespace qrv
