#include "cadsim/core/faults.h"

#include <gtest/gtest.h>

namespace qrv::cadsim {
namespace {

std::vector<Fault> Parse(std::u16string_view text, std::vector<std::string>& problems) {
    return ParseFaults(text, problems);
}

TEST(Faults, ReadsEveryKindWithCallAndCallNumber) {
    std::vector<std::string> problems;
    const auto faults = Parse(u"ExportPart@2=access-violation;GetCADName=illegal-instruction;"
                              u"CadStop=divide-by-zero;LibFinalization=stack-overflow;"
                              u"EndExport=msvc-throw;GetCADCount=delphi-throw;"
                              u"SetDirs=raise:0xE0000001;CadStart=raise:42;"
                              u"SelectCADs=caught;CadIsSleeping@10=hang:250;DllAttach=fail;"
                              u" DllDetach @ 1 = caught ;;BeginExport=exit:3;SelectSubDirs=hold:2",
                              problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    ASSERT_EQ(faults.size(), 14u);
    EXPECT_EQ(faults[0].call, "ExportPart");
    EXPECT_EQ(faults[0].onCall, 2u);
    EXPECT_EQ(faults[0].kind, FaultKind::AccessViolation);
    EXPECT_EQ(faults[1].onCall, 0u) << "every call";
    EXPECT_EQ(faults[6].kind, FaultKind::Raise);
    EXPECT_EQ(faults[6].value, 0xE0000001u);
    EXPECT_EQ(faults[7].value, 42u) << "decimal";
    EXPECT_EQ(faults[9].kind, FaultKind::Hang);
    EXPECT_EQ(faults[9].value, 250u);
    EXPECT_EQ(faults[9].onCall, 10u);
    EXPECT_EQ(faults[10].kind, FaultKind::Fail);
    EXPECT_EQ(faults[11].call, "DllDetach") << "blanks around the pieces";
    EXPECT_EQ(faults[11].onCall, 1u);
    EXPECT_EQ(faults[12].kind, FaultKind::Exit);
    EXPECT_EQ(faults[13].kind, FaultKind::Hold);

    std::vector<std::string> texts;
    for (const auto& fault : faults) {
        texts.push_back(FaultKindText(fault));
    }
    const std::vector<std::string> expected = {"access-violation",
                                               "illegal-instruction",
                                               "divide-by-zero",
                                               "stack-overflow",
                                               "msvc-throw",
                                               "delphi-throw",
                                               "raise:0xE0000001",
                                               "raise:0x0000002A",
                                               "caught",
                                               "hang:250",
                                               "fail",
                                               "caught",
                                               "exit:3",
                                               "hold:2"};
    EXPECT_EQ(texts, expected);
}

TEST(Faults, EveryEntryPointAndTheLoaderCanBeNamed) {
    EXPECT_EQ(FaultCallNames().size(), 17u);
    for (const auto name : FaultCallNames()) {
        std::vector<std::string> problems;
        const std::u16string entry = std::u16string(name.begin(), name.end()) + u"=caught";
        EXPECT_EQ(Parse(entry, problems).size(), 1u) << name;
        EXPECT_TRUE(problems.empty()) << name;
    }
}

TEST(Faults, EntriesThatCannotBeReadAreProblems) {
    const std::u16string bad[] = {
        u"ExportPart",                // no kind
        u"ExportCAD_ExportPart=fail", // the log's name, without the prefix
        u"exportpart=caught",         // names are exact
        u"ExportPart=explode",
        u"ExportPart@0=caught",
        u"ExportPart@x=caught",
        u"ExportPart@-1=caught",
        u"ExportPart=raise:",
        u"ExportPart=raise:0x1FFFFFFFF",
        u"ExportPart=raise:0xG1",
        u"ExportPart=hang:",
        u"ExportPart=hang:1s",
        u"ExportPart=exit:",
        u"ExportPart=hold:",
        u"ExportPart=fail",
        u"DllDetach=fail",
        u"ExportPart=Access-Violation",
    };
    for (const auto& entry : bad) {
        std::vector<std::string> problems;
        EXPECT_TRUE(Parse(entry, problems).empty());
        EXPECT_EQ(problems.size(), 1u);
    }
    std::vector<std::string> problems;
    const auto faults = Parse(u"ExportPart=caught;ExportPart=explode;CadStop=oops", problems);
    EXPECT_EQ(faults.size(), 1u);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "unknown kind: ExportPart=explode");
    EXPECT_EQ(problems[1], "unknown kind: CadStop=oops");
}

TEST(Faults, CallNumbersCountPerEntryPoint) {
    std::vector<std::string> problems;
    FaultSwitches switches(
        Parse(u"ExportPart@2=access-violation;ExportPart@3=caught;GetCADName=hang:5", problems));
    EXPECT_EQ(switches.Due("ExportPart"), nullptr);
    EXPECT_NE(switches.Due("GetCADName"), nullptr) << "every call";
    EXPECT_EQ(switches.Due("CadStop"), nullptr);
    const Fault* second = switches.Due("ExportPart");
    ASSERT_NE(second, nullptr) << "GetCADName and CadStop do not count for ExportPart";
    EXPECT_EQ(second->kind, FaultKind::AccessViolation);
    const Fault* third = switches.Due("ExportPart");
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->kind, FaultKind::Caught);
    EXPECT_EQ(switches.Due("ExportPart"), nullptr) << "the fourth";
    EXPECT_NE(switches.Due("GetCADName"), nullptr);
}

TEST(Faults, TheFirstMatchingSwitchWins) {
    std::vector<std::string> problems;
    FaultSwitches switches(Parse(u"CadStop@2=raise:7;CadStop=caught", problems));
    EXPECT_EQ(switches.Due("CadStop")->kind, FaultKind::Caught);
    EXPECT_EQ(switches.Due("CadStop")->kind, FaultKind::Raise);
    EXPECT_EQ(switches.Due("CadStop")->kind, FaultKind::Caught);
    EXPECT_EQ(FaultSwitches().Due("CadStop"), nullptr);
}

} // namespace
} // namespace qrv::cadsim
