#include "cadsim/core/simulator.h"
#include "fake_host.h"
#include "zip_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace qrv::cadsim {
namespace {

const std::u16string kLog = u"C:\\log\\calls.log";
const std::u16string kDest = u"C:\\dest\\";

SimulatorConfig TestConfig() {
    SimulatorConfig config;
    config.logPath = kLog;
    config.startDelayMs = 500;
    config.partDelayMs = 0;
    config.failParts = {u"BAD"};
    config.formats = ParseCadFormats(u"STEP 214|STEP-AP214;Mesh|STL;Plain|PLAIN|;Blank||x");
    return config;
}

class SimulatorTest : public testing::Test {
protected:
    FakeHost host;

    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        const auto it = host.files.find(kLog);
        if (it == host.files.end()) {
            return lines;
        }
        std::istringstream in(it->second);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line.substr(line.find('|') + 1)); // without the time
        }
        return lines;
    }

    std::string LastLogLine() const {
        const auto lines = LogLines();
        return lines.empty() ? "" : lines.back();
    }

    // Started, idle, with destination and shop name set.
    void MakeReady(Simulator& sim, const char16_t* shop = u"Shop") {
        sim.SetDirs(u"C:\\data\\", u"C:\\software\\", kDest.c_str(), shop);
        sim.CadStart();
        host.now += 500;
        ASSERT_TRUE(sim.CadIsSleeping());
    }

    void Select(Simulator& sim, std::vector<uint16_t> formats, std::vector<uint8_t> subDirs) {
        sim.SelectCADs(formats.empty() ? nullptr : formats.data(),
                       static_cast<int32_t>(formats.size()) - 1);
        sim.SelectSubDirs(subDirs.empty() ? nullptr : subDirs.data(),
                          static_cast<int32_t>(subDirs.size()) - 1);
    }
};

TEST_F(SimulatorTest, NamesAlternateBetweenDisplayAndSettingsNamePerIndex) {
    Simulator sim(host, TestConfig());
    EXPECT_EQ(sim.GetCADCount(), 4);
    EXPECT_EQ(std::u16string(sim.GetCADName(0)), u"STEP 214");
    EXPECT_EQ(std::u16string(sim.GetCADName(1)), u"Mesh");
    EXPECT_EQ(std::u16string(sim.GetCADName(0)), u"STEP-AP214");
    EXPECT_EQ(std::u16string(sim.GetCADName(1)), u"STL");
    EXPECT_EQ(std::u16string(sim.GetCADName(0)), u"STEP 214");
    EXPECT_EQ(std::u16string(sim.GetCADName(3)), u"Blank");
    EXPECT_EQ(sim.GetCADName(3), nullptr) << "an empty name is a null pointer";
    EXPECT_EQ(sim.GetCADName(4), nullptr);
    EXPECT_EQ(sim.GetCADName(-1), nullptr);
    EXPECT_EQ(std::u16string(sim.GetCADQualifier(1)), u"stl");
    EXPECT_EQ(sim.GetCADQualifier(2), nullptr);
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "GetCADCount|4");
    EXPECT_EQ(lines[1], "GetCADName|0|STEP 214");
    EXPECT_EQ(lines[3], "GetCADName|0|STEP-AP214");
    EXPECT_EQ(lines[7], "GetCADName|3|%00");
    EXPECT_EQ(lines[8], "GetCADName|4|%00");
    EXPECT_EQ(lines[10], "GetCADQualifier|1|stl");
}

TEST_F(SimulatorTest, CadBecomesIdleOnlyAfterTheStartDelay) {
    Simulator sim(host, TestConfig());
    EXPECT_FALSE(sim.CadIsSleeping()) << "not started";
    sim.CadStart();
    host.now += 499;
    EXPECT_FALSE(sim.CadIsSleeping());
    host.now += 1;
    EXPECT_TRUE(sim.CadIsSleeping());
    sim.CadStop();
    EXPECT_FALSE(sim.CadIsSleeping()) << "stopped is not ready";
    sim.CadStop();
    const std::vector<std::string> expected = {
        "CadIsSleeping|0", "CadStart|not-started", "CadIsSleeping|0", "CadIsSleeping|1",
        "CadStop|idle",    "CadIsSleeping|0",      "CadStop|stopped",
    };
    EXPECT_EQ(LogLines(), expected);
}

TEST_F(SimulatorTest, StartDelayZeroIsIdleAtOnceAndNeverIdleNeverIs) {
    SimulatorConfig quick = TestConfig();
    quick.startDelayMs = 0;
    Simulator fast(host, quick);
    fast.CadStart();
    EXPECT_TRUE(fast.CadIsSleeping());

    SimulatorConfig stuck = TestConfig();
    stuck.neverIdle = true;
    Simulator slow(host, stuck);
    slow.CadStart();
    host.now += 3'600'000;
    EXPECT_FALSE(slow.CadIsSleeping());
    EXPECT_EQ(slow.State(), CadState::Starting);
}

TEST_F(SimulatorTest, ExportsOneFilePerFormatIntoTheSubfoldersInOrder) {
    Simulator sim(host, TestConfig());
    MakeReady(sim);
    Select(sim, {0, 1}, {0, 1, 3, 4});
    sim.BeginExport();
    EXPECT_TRUE(sim.ExportPart("P-1", "Valve", "id1", "id2", "CAD|1"));
    sim.EndExport();

    const std::u16string step = u"C:\\dest\\Shop\\STEP-AP214\\Valve\\P-1\\P-1_STEP-AP214.stp";
    const std::u16string stl = u"C:\\dest\\Shop\\STL\\Valve\\P-1\\P-1_STL.stl";
    ASSERT_EQ(host.files.count(step), 1u);
    ASSERT_EQ(host.files.count(stl), 1u);
    EXPECT_NE(host.files[step].find("Part number: P-1\n"), std::string::npos);
    EXPECT_NE(host.files[step].find("CAD string: CAD|1\n"), std::string::npos);
    EXPECT_EQ(host.files[stl].rfind("solid P-1\n", 0), 0u);
    // Every level was created, each after its parent.
    EXPECT_EQ(host.folders.count(u"C:\\dest\\Shop"), 1u);
    EXPECT_EQ(host.folders.count(u"C:\\dest\\Shop\\STL\\Valve"), 1u);
    EXPECT_EQ(host.files.count(u"C:\\dest\\Shop.zip"), 0u) << "zip mode is off";
    EXPECT_EQ(LogLines()[6], "ExportPart|P-1|Valve|id1|id2|CAD%7C1|1");
}

TEST_F(SimulatorTest, WithoutSubfoldersTwoFormatsWithOneExtensionStayApart) {
    SimulatorConfig config = TestConfig();
    config.formats = ParseCadFormats(u"A|STEP-AP214;B|STEP-AP203");
    Simulator sim(host, config);
    MakeReady(sim);
    Select(sim, {0, 1}, {});
    EXPECT_TRUE(sim.ExportPart("P", "T", "", "", ""));
    EXPECT_EQ(host.files.count(u"C:\\dest\\P_STEP-AP214.stp"), 1u);
    EXPECT_EQ(host.files.count(u"C:\\dest\\P_STEP-AP203.stp"), 1u);
}

TEST_F(SimulatorTest, AnsiTextsBecomeUnicodeNamesAndUnsafeOnesAreMadeSafe) {
    Simulator sim(host, TestConfig());
    MakeReady(sim, u"CON");
    Select(sim, {1}, {0, 2, 3, 4});
    EXPECT_TRUE(sim.ExportPart("Teil\xFC/1.",
                               "\xDC"
                               "ber:Reihe",
                               "", "", ""));
    EXPECT_EQ(host.files.count(u"C:\\dest\\_CON\\\u00dc\\\u00dcber_Reihe\\Teil\u00fc_1\\"
                               u"Teil\u00fc_1._STL.stl"),
              1u);
    EXPECT_EQ(LastLogLine(), "ExportPart|Teil\xC3\xBC/1.|\xC3\x9C"
                             "ber:Reihe||||1");
}

TEST_F(SimulatorTest, ZipOfTheRunIsWrittenAtEndExport) {
    Simulator sim(host, TestConfig());
    MakeReady(sim, u"My Shop");
    Select(sim, {0, 1}, {1, 4});
    sim.SetZipMode(0x7F000001); // only the low byte counts
    sim.BeginExport();
    EXPECT_TRUE(sim.ExportPart("P-1", "T", "", "", ""));
    EXPECT_FALSE(sim.ExportPart("BAD", "T", "", "", ""));
    EXPECT_TRUE(sim.ExportPart("P-1", "T", "again", "", "")); // the same files again
    EXPECT_TRUE(sim.ExportPart("P-2", "T", "", "", ""));
    EXPECT_EQ(host.files.count(u"C:\\dest\\My Shop.zip"), 0u) << "not before EndExport";
    sim.EndExport();

    const auto entries = test::ReadZip(host.files.at(u"C:\\dest\\My Shop.zip"));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "STEP-AP214/P-1/P-1_STEP-AP214.stp");
    EXPECT_EQ(entries[1].name, "STL/P-1/P-1_STL.stl");
    EXPECT_EQ(entries[3].name, "STL/P-2/P-2_STL.stl");
    EXPECT_EQ(entries[0].data, host.files.at(u"C:\\dest\\STEP-AP214\\P-1\\P-1_STEP-AP214.stp"));
    EXPECT_NE(entries[0].data.find("ID1: again"), std::string::npos) << "the last version";
    EXPECT_EQ(entries[0].date, MakeDosDateTime(2024, 5, 17, 0, 0, 0).date);
    EXPECT_EQ(LastLogLine(), "EndExport|C:\\dest\\My Shop.zip");

    // A second run starts a new zip with only its own files.
    sim.BeginExport();
    EXPECT_TRUE(sim.ExportPart("P-3", "T", "", "", ""));
    sim.EndExport();
    EXPECT_EQ(test::ReadZip(host.files.at(u"C:\\dest\\My Shop.zip")).size(), 2u);
}

TEST_F(SimulatorTest, NoZipWhenZipModeIsOffOrNothingWasExported) {
    Simulator sim(host, TestConfig());
    MakeReady(sim);
    Select(sim, {1}, {});
    sim.SetZipMode(0x100); // low byte zero: false
    sim.BeginExport();
    EXPECT_TRUE(sim.ExportPart("P", "T", "", "", ""));
    sim.EndExport();
    sim.SetZipMode(1);
    sim.BeginExport();
    EXPECT_FALSE(sim.ExportPart("BAD", "T", "", "", ""));
    sim.EndExport();
    EXPECT_EQ(host.files.count(u"C:\\dest\\Shop.zip"), 0u);
    const auto lines = LogLines();
    EXPECT_EQ(lines[5], "SetZipMode|0");
    EXPECT_EQ(lines.back(), "EndExport");
}

TEST_F(SimulatorTest, RefusesPartsItCannotExport) {
    SimulatorConfig config = TestConfig();
    Simulator sim(host, config);
    Select(sim, {1}, {4});
    EXPECT_FALSE(sim.ExportPart("P", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|P|T||||0|CAD system not ready: not-started");

    MakeReady(sim);
    EXPECT_FALSE(sim.ExportPart("", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart||T||||0|empty part number");
    EXPECT_FALSE(sim.ExportPart(nullptr, "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|%00|T||||0|empty part number");
    EXPECT_FALSE(sim.ExportPart("BAD", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|BAD|T||||0|on the failure list");
    EXPECT_TRUE(sim.ExportPart("bad", "T", "", "", "")) << "the list is case-sensitive";

    host.unwritable.insert(u"C:\\dest\\Q");
    EXPECT_FALSE(sim.ExportPart("Q", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|Q|T||||0|cannot create folder C:\\dest\\Q");
    host.unwritable.insert(u"C:\\dest\\R\\R_STL.stl");
    EXPECT_FALSE(sim.ExportPart("R", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|R|T||||0|cannot write C:\\dest\\R\\R_STL.stl");

    Select(sim, {9}, {});
    EXPECT_FALSE(sim.ExportPart("P", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|P|T||||0|unknown format index 9");
    Select(sim, {}, {});
    EXPECT_FALSE(sim.ExportPart("P", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|P|T||||0|no format selected");
    Select(sim, {1}, {7});
    EXPECT_FALSE(sim.ExportPart("P", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|P|T||||0|unknown subfolder criterion 7");

    sim.CadStop();
    Select(sim, {1}, {});
    EXPECT_FALSE(sim.ExportPart("P", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|P|T||||0|CAD system not ready: stopped");
}

TEST_F(SimulatorTest, FailureListStarAndMissingDestinationFailEveryPart) {
    SimulatorConfig config = TestConfig();
    config.failAllParts = true;
    Simulator all(host, config);
    MakeReady(all);
    Select(all, {1}, {});
    EXPECT_FALSE(all.ExportPart("P", "T", "", "", ""));

    Simulator noDest(host, TestConfig());
    noDest.SetDirs(u"a", u"b", u"", u"s");
    noDest.CadStart();
    host.now += 500;
    Select(noDest, {1}, {});
    EXPECT_FALSE(noDest.ExportPart("P", "T", "", "", ""));
    EXPECT_EQ(LastLogLine(), "ExportPart|P|T||||0|no destination folder");
}

TEST_F(SimulatorTest, EachPartWaitsThePartDelay) {
    SimulatorConfig config = TestConfig();
    config.partDelayMs = 250;
    Simulator sim(host, config);
    MakeReady(sim);
    Select(sim, {1}, {});
    sim.ExportPart("P", "T", "", "", "");
    sim.ExportPart("", "T", "", "", "");
    EXPECT_EQ(host.slept, 500u);
}

TEST_F(SimulatorTest, LogsArraysAsTheyArriveAndMarksBrokenOnes) {
    Simulator sim(host, TestConfig());
    const uint16_t formats[] = {0, 3, 4};
    const uint8_t subDirs[] = {4, 0};
    sim.SelectCADs(formats, 2);
    sim.SelectSubDirs(subDirs, 1);
    sim.SelectCADs(nullptr, -1);
    sim.SelectSubDirs(nullptr, 0);
    sim.SelectCADs(formats, -1);
    sim.SelectCADs(formats, -2);
    sim.SelectSubDirs(subDirs, 1000);
    const auto lines = LogLines();
    EXPECT_EQ(lines[0], "SelectCADs|0,3,4");
    EXPECT_EQ(lines[1], "SelectSubDirs|4,0");
    EXPECT_EQ(lines[2], "SelectCADs|");
    EXPECT_EQ(lines[3], "SelectSubDirs|!null pointer with last index 0");
    EXPECT_EQ(lines[4], "SelectCADs|!pointer with last index -1");
    EXPECT_EQ(lines[5], "SelectCADs|!bad last index -2");
    EXPECT_EQ(lines[6], "SelectSubDirs|!bad last index 1000");
}

TEST_F(SimulatorTest, LogsAWholeProgramRunLineByLine) {
    Simulator sim(host, TestConfig(), {"CADSIM_PART_DELAY_MS: not a number of milliseconds: x"});
    sim.LibInitialization();
    sim.SetDirs(u"C:\\lib\\..\\", u"C:\\cadenas\\software\\", u"C:\\dest\\", u"default");
    sim.CadStart();
    host.now += 600;
    sim.CadIsSleeping();
    sim.SetZipMode(0);
    sim.BeginExport();
    sim.EndExport();
    sim.CadStop();
    sim.LibFinalization();
    const std::vector<std::string> expected = {
        "Warning|CADSIM_PART_DELAY_MS: not a number of milliseconds: x",
        "LibInitialization",
        "SetDirs|C:\\lib\\..\\|C:\\cadenas\\software\\|C:\\dest\\|default",
        "CadStart|not-started",
        "CadIsSleeping|1",
        "SetZipMode|0",
        "BeginExport",
        "EndExport",
        "CadStop|idle",
        "LibFinalization",
    };
    EXPECT_EQ(LogLines(), expected);
    EXPECT_EQ(host.files.at(kLog).substr(0, 5), "1000|") << "the time comes first";
}

TEST_F(SimulatorTest, AFormatCountAboveTheListOffersGeneratedFormats) {
    SimulatorConfig config = TestConfig();
    config.formatCount = 2147483647;
    Simulator sim(host, config);
    EXPECT_EQ(sim.GetCADCount(), 2147483647);
    EXPECT_EQ(std::u16string(sim.GetCADName(1)), u"Mesh") << "the list comes first";
    EXPECT_EQ(std::u16string(sim.GetCADName(65537)), u"Format 65537");
    EXPECT_EQ(std::u16string(sim.GetCADName(2147483646)), u"Format 2147483646");
    EXPECT_EQ(std::u16string(sim.GetCADName(65537)), u"FORMAT-65537");
    EXPECT_EQ(std::u16string(sim.GetCADName(65537)), u"Format 65537");
    EXPECT_EQ(std::u16string(sim.GetCADName(4)), u"Format 4");
    EXPECT_EQ(std::u16string(sim.GetCADQualifier(4)), u"txt");
    EXPECT_EQ(sim.GetCADName(-1), nullptr);
    EXPECT_EQ(sim.GetCADQualifier(-5), nullptr);
    const auto lines = LogLines();
    EXPECT_EQ(lines[0], "GetCADCount|2147483647");
    EXPECT_EQ(lines[2], "GetCADName|65537|Format 65537");
    EXPECT_EQ(lines[4], "GetCADName|65537|FORMAT-65537");

    // A generated format exports like any other.
    MakeReady(sim);
    Select(sim, {65535}, {1});
    EXPECT_TRUE(sim.ExportPart("P", "T", "", "", ""));
    EXPECT_EQ(host.files.count(u"C:\\dest\\FORMAT-65535\\P_FORMAT-65535.txt"), 1u);
}

TEST_F(SimulatorTest, GeneratedNamesStayValidForTheNextCalls) {
    SimulatorConfig config = TestConfig();
    config.formatCount = 100000;
    Simulator sim(host, config);
    const char16_t* first = sim.GetCADName(99999);
    for (int32_t i = 1; i < static_cast<int32_t>(Simulator::kGeneratedNamesKept); ++i) {
        sim.GetCADName(4 + i);
    }
    EXPECT_EQ(std::u16string(first), u"Format 99999");
}

TEST_F(SimulatorTest, AFormatCountBelowTheListHidesTheRest) {
    for (const int32_t count : {2, 0, -7}) {
        SimulatorConfig config = TestConfig();
        config.formatCount = count;
        Simulator sim(host, config);
        EXPECT_EQ(sim.GetCADCount(), count);
        EXPECT_EQ(sim.GetCADName(2), nullptr) << count;
        EXPECT_EQ(sim.GetCADQualifier(2), nullptr);
        EXPECT_EQ(sim.GetCADName(0) != nullptr, count > 0);
        MakeReady(sim);
        Select(sim, {2}, {});
        EXPECT_FALSE(sim.ExportPart("P", "T", "", "", ""));
        EXPECT_EQ(LastLogLine(), "ExportPart|P|T||||0|unknown format index 2");
    }
}

TEST_F(SimulatorTest, ADueFaultIsLoggedBeforeItFires) {
    SimulatorConfig config = TestConfig();
    std::vector<std::string> problems;
    config.faults = ParseFaults(u"ExportPart@2=raise:0xE0000001;CadStop=hang:100", problems);
    Simulator sim(host, config);
    EXPECT_EQ(sim.DueFault("ExportPart"), nullptr);
    EXPECT_TRUE(LogLines().empty()) << "nothing due, nothing logged";
    const Fault* fault = sim.DueFault("ExportPart");
    ASSERT_NE(fault, nullptr);
    EXPECT_EQ(fault->value, 0xE0000001u);
    EXPECT_EQ(LastLogLine(), "ExportPart|!fault|raise:0xE0000001");
    EXPECT_NE(sim.DueFault("CadStop"), nullptr);
    EXPECT_EQ(LastLogLine(), "CadStop|!fault|hang:100");
    EXPECT_EQ(LogLines().size(), 2u);
}

TEST_F(SimulatorTest, WithoutALogPathNothingIsLogged) {
    SimulatorConfig config = TestConfig();
    config.logPath.clear();
    Simulator sim(host, config);
    sim.CadStart();
    EXPECT_TRUE(host.files.empty());
}

} // namespace
} // namespace qrv::cadsim
