#include "export/export_run.h"

#include "app/recording_roles.h"
#include "export/failed_parts_file.h"
#include "export/fake_check_list.h"
#include "export/recording_library.h"
#include "platform/utf.h"
#include "settings/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace qrv {
namespace {

using qrv::testing::FakeCheckList;
using qrv::testing::FakeFields;
using qrv::testing::RecordingLibrary;

std::string Narrow(const std::u16string& text) {
    return Utf16ToUtf8(text);
}

// The three windows of a run as one log of events, in the order they happen, with the
// library's calls among them.
class RecordingWindows : public TExportRunMainView,
                         public TExportProgressView,
                         public TExportErrorView {
public:
    std::vector<std::string> log;
    std::vector<std::string> errorLines;
    bool aborted = false;

    // TExportRunMainView
    void SetProgressText(const std::u16string& text) override { Add("text " + Narrow(text)); }
    void HideExportButton() override { Add("hide Export"); }
    void ShowProgressBar(int32_t maximum) override { Add("bar 0.." + std::to_string(maximum)); }
    void SetProgressPosition(int32_t position) override {
        Add("bar at " + std::to_string(position));
    }
    void HideProgressBar() override { Add("hide bar"); }
    void BringWindowsToFront() override { Add("front"); }
    // TExportProgressView
    void PrepareRun(int32_t parts) override { Add("prepare " + std::to_string(parts)); }
    void SetDestinationFolder(const std::u16string& folder) override {
        Add("destination " + Narrow(folder));
    }
    void Show() override { Add("show dialog"); }
    void SetPartLabel(const std::u16string& text) override { Add("label " + Narrow(text)); }
    void ShowProgress(const std::u16string& partNo, const std::u16string&, const std::u16string&,
                      const std::u16string&, int32_t position, int32_t good, int32_t bad) override {
        Add("progress " + Narrow(partNo) + " " + std::to_string(position) + " " +
            std::to_string(good) + "/" + std::to_string(bad));
    }
    bool Aborted() const override { return aborted; }
    void ShowFinished() override { Add(aborted ? "finished cancelled" : "finished"); }
    void ShowFailed() override { Add("failed: Close"); }
    void ShowPendingErrors() override { Add("pending errors"); }
    // TExportErrorView
    void Clear() override {
        Add("clear errors");
        errorLines.clear();
    }
    void AddError(const std::u16string& caption, const TFailedPart& part) override {
        errorLines.push_back(Narrow(ErrorLine(part.partNo, part.type, part.id1, part.id2)));
        Add("error [" + Narrow(caption) + "] " + errorLines.back());
    }

    // The events whose text begins with the prefix.
    std::vector<std::string> Only(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& event : log) {
            if (event.rfind(prefix, 0) == 0) {
                found.push_back(event);
            }
        }
        return found;
    }

private:
    void Add(std::string event) { log.push_back(std::move(event)); }
};

class RecordingTaskbar final : public TExportTaskbarView {
public:
    std::vector<int32_t> values;
    void ShowProgress(int32_t done, int32_t, TState) override { values.push_back(done); }
    void Clear() override {}
};

class ExportRunTest : public ::testing::Test {
protected:
    ExportRunTest() {
        library.sharedLog = &windows.log;
        basket.FShopName = u"Shop";
        destination = folder.Path().u16string();
        for (int i = 0; i < 3; ++i) {
            fields.destination = destination;
            formats.Add(u"F" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
        }
        choices.FillSubDirList();
        subDirs.SetChecked(0, true);
        subDirs.SetChecked(3, true);
        formats.SetChecked(2, true);
    }

    void AddPart(const std::u16string& partNo, const std::u16string& type = u"T",
                 const std::u16string& id1 = u"1", const std::u16string& id2 = u"2",
                 const std::u16string& cad = u"cad") {
        basket.FPartNoList.push_back(partNo);
        basket.FTypeList.push_back(type);
        basket.FID1List.push_back(id1);
        basket.FID2List.push_back(id2);
        basket.FCADList.push_back(cad);
    }

    void Run(bool withLibrary = true) {
        const TExportRunInputs inputs{basket,      u"C:\\data\\", u"C:\\cad\\software\\",
                                      destination, choices,       u"Starting...",
                                      u"Failed:"};
        RunExport(withLibrary ? &library : nullptr, inputs, windows, windows, windows, taskbar);
    }

    qrv::testing::TempFolder folder;
    std::u16string destination;
    TBasketParameters basket;
    RecordingLibrary library;
    RecordingWindows windows;
    RecordingTaskbar taskbar;
    FakeCheckList formats;
    FakeCheckList subDirs;
    FakeFields fields;
    TExportChoices choices{formats, subDirs, fields};
};

TEST_F(ExportRunTest, ThreePartsWithOneFailureInTheirWholeOrder) {
    AddPart(u"A");
    AddPart(u"B", u"TB", u"", u"X2");
    AddPart(u"C");
    library.failingParts = {"B"};
    Run();
    const std::string dirs =
        "lib SetDirs|C:\\data\\|C:\\cad\\software\\|" + Narrow(destination) + "\\|Shop";
    EXPECT_EQ(windows.log, (std::vector<std::string>{
                               "text ",
                               "hide Export",
                               "bar 0..3",
                               "prepare 3",
                               "show dialog",
                               "clear errors",
                               "destination " + Narrow(destination),
                               "destination " + Narrow(destination),
                               dirs,
                               "lib SelectCADs|2",
                               "lib SelectSubDirs|0,3",
                               "lib SetZipMode|0",
                               "label Starting...",
                               "lib BeginExport",
                               "bar at 0",
                               "progress A 0 0/0",
                               "front",
                               "pending errors",
                               "lib ExportPart|A|T|1|2|cad",
                               "text 1+0/3",
                               "progress A 0 1/0",
                               "bar at 1",
                               "progress B 1 1/0",
                               "front",
                               "pending errors",
                               "lib ExportPart|B|TB||X2|cad",
                               "error [Failed:] - B  TB      X2",
                               "text 1+1/3",
                               "progress B 1 1/1",
                               "bar at 2",
                               "progress C 2 1/1",
                               "front",
                               "pending errors",
                               "lib ExportPart|C|T|1|2|cad",
                               "text 2+1/3",
                               "progress C 2 2/1",
                               "lib EndExport",
                               "hide bar",
                               "lib CadStop",
                               "finished",
                               "front",
                           }));
    EXPECT_EQ(taskbar.values, (std::vector<int32_t>{0, 0, 1, 1, 2, 2, 3})); // 3 of 3 at the end
}

TEST_F(ExportRunTest, EveryPartFailingListsThemAllInBasketOrder) {
    for (const auto* part : {u"P1", u"P2", u"P3", u"P4"}) {
        AddPart(part, u"", u"", u"");
    }
    library.failingParts = {"P1", "P2", "P3", "P4"};
    Run();
    EXPECT_EQ(windows.errorLines, (std::vector<std::string>{"- P1        ", "- P2        ",
                                                            "- P3        ", "- P4        "}));
    EXPECT_EQ(windows.Only("text ").back(), "text 0+4/4");
}

TEST_F(ExportRunTest, AnEmptyBasketStillBeginsEndsAndStops) {
    Run();
    EXPECT_EQ(library.Names(),
              (std::vector<std::string>{"SetDirs", "SelectCADs", "SelectSubDirs", "SetZipMode",
                                        "BeginExport", "EndExport", "CadStop"}));
    EXPECT_EQ(windows.Only("text "), (std::vector<std::string>{"text "})); // stays empty
    EXPECT_EQ(windows.Only("finished"), (std::vector<std::string>{"finished"}));
    EXPECT_EQ(windows.Only("bar "), (std::vector<std::string>{"bar 0..0"}));
}

TEST_F(ExportRunTest, AbortDuringAPartCompletesAndCountsItThenStops) {
    for (const auto* part : {u"A", u"B", u"C"}) {
        AddPart(part);
    }
    // The click arrives while the first part is exported; the run sees it at the next pump.
    library.onExportPart = [&](const std::string& part) { windows.aborted = part == "A"; };
    Run();
    EXPECT_EQ(std::count(library.calls.begin(), library.calls.end(), "ExportPart|A|T|1|2|cad"), 1);
    EXPECT_EQ(windows.Only("lib ExportPart").size(), 1u);
    EXPECT_EQ(windows.Only("text ").back(), "text 1+0/3");
    EXPECT_EQ(library.Names().back(), "CadStop");
    EXPECT_EQ(windows.log[windows.log.size() - 2], "finished cancelled");
}

TEST_F(ExportRunTest, AbortDuringTheLastPartEndsCancelledWithEveryPartHandedOver) {
    AddPart(u"A");
    AddPart(u"B");
    library.onExportPart = [&](const std::string& part) { windows.aborted = part == "B"; };
    Run();
    EXPECT_EQ(windows.Only("lib ExportPart").size(), 2u);
    EXPECT_EQ(windows.Only("finished"), (std::vector<std::string>{"finished cancelled"}));
}

TEST_F(ExportRunTest, WithoutALibraryTheWindowsArePreparedAndNothingIsCalled) {
    AddPart(u"A");
    Run(/*withLibrary=*/false);
    EXPECT_EQ(windows.log,
              (std::vector<std::string>{"text ", "hide Export", "bar 0..1", "prepare 1",
                                        "show dialog", "clear errors", "hide bar"}));
}

TEST_F(ExportRunTest, ALibraryFailureEndsTheExportAndHidesTheBarButSkipsTheRest) {
    AddPart(u"A");
    AddPart(u"B");
    library.throwOn = "ExportPart";
    library.throwOnCall = 2;
    EXPECT_THROW(Run(), std::runtime_error);
    const auto tail = std::vector<std::string>(windows.log.end() - 4, windows.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"lib ExportPart|B|T|1|2|cad", "lib EndExport",
                                              "failed: Close", "hide bar"}));
    EXPECT_TRUE(windows.Only("finished").empty());
    EXPECT_TRUE(windows.Only("lib CadStop").empty());

    // Before the export began, only the bar is hidden again.
    RecordingLibrary early;
    early.throwOn = "BeginExport";
    const TExportRunInputs inputs{basket, u"", u"", destination, choices, u"", u""};
    EXPECT_THROW(RunExport(&early, inputs, windows, windows, windows), std::runtime_error);
    EXPECT_EQ(early.Names().back(), "BeginExport");
    EXPECT_EQ(windows.log.back(), "hide bar");
    EXPECT_EQ(windows.Only("failed: Close").size(), 2u);
}

TEST_F(ExportRunTest, AFaultInAPartAndAnotherInEndExportAreReportedTogether) {
    AddPart(u"A");
    AddPart(u"B");
    library.faultOn = {"ExportPart", "EndExport"};
    try {
        Run();
        FAIL() << "the fault did not leave the run";
    } catch (const ECADLibraryFault& fault) {
        EXPECT_EQ(fault.Function(), "ExportCAD_ExportPart");
        EXPECT_STREQ(fault.what(), "The CAD export library failed in ExportCAD_ExportPart: "
                                   "access violation (0xC0000005)\r\nThen it failed in "
                                   "ExportCAD_EndExport too: access violation (0xC0000005)");
    }
    // The library is called no more than the sequence requires: one part, one EndExport.
    EXPECT_EQ(library.Names(),
              (std::vector<std::string>{"SetDirs", "SelectCADs", "SelectSubDirs", "SetZipMode",
                                        "BeginExport", "ExportPart", "EndExport"}));
    EXPECT_EQ(windows.Only("failed: Close").size(), 1u);
    EXPECT_EQ(windows.log.back(), "hide bar");
}

TEST_F(ExportRunTest, AFaultInEndExportAloneIsReportedAfterTheLastPart) {
    AddPart(u"A");
    library.faultOn = {"EndExport"};
    EXPECT_THROW(Run(), ECADLibraryFault);
    EXPECT_EQ(library.Names().back(), "EndExport");
    EXPECT_EQ(std::count(library.calls.begin(), library.calls.end(), "EndExport"), 1);
    EXPECT_TRUE(windows.Only("finished").empty());
}

TEST_F(ExportRunTest, AFailureLineIsShownBeforeTheNextPartBegins) {
    AddPart(u"A");
    AddPart(u"B");
    library.failingParts = {"A"};
    Run();
    const auto& log = windows.log;
    const auto error = std::find_if(log.begin(), log.end(),
                                    [](const std::string& e) { return e.rfind("error ", 0) == 0; });
    const auto nextPart = std::find(log.begin(), log.end(), "lib ExportPart|B|T|1|2|cad");
    ASSERT_NE(error, log.end());
    ASSERT_NE(nextPart, log.end());
    EXPECT_NE(std::find(error, nextPart, "pending errors"), nextPart);
}

TEST_F(ExportRunTest, TheSelectionsHandedOverStayValidThroughTheRun) {
    AddPart(u"A");
    // The library looks at the arrays it was given while it exports a part.
    std::vector<uint16_t> formatsSeen;
    std::vector<int> subDirsSeen;
    library.onExportPart = [&](const std::string&) {
        formatsSeen.assign(library.keptFormats, library.keptFormats + 1);
        subDirsSeen.assign(library.keptSubDirs, library.keptSubDirs + 2);
    };
    Run();
    EXPECT_EQ(formatsSeen, (std::vector<uint16_t>{2}));
    EXPECT_EQ(subDirsSeen, (std::vector<int>{0, 3}));
}

TEST_F(ExportRunTest, PartTextsGoToTheLibraryInTheAnsiCodePage) {
    AddPart(u"\u041f-1 \u00e9", u"Typ\u00fc", u"\u4e2d", u"x", u"A=1=B");
    Run();
    // Windows-1252 keeps é and ü; what it lacks becomes "?".
    EXPECT_EQ(windows.Only("lib ExportPart"),
              (std::vector<std::string>{"lib ExportPart|?-1 \xE9|Typ\xFC|?|x|A=1=B"}));
    EXPECT_EQ(windows.Only("progress ").front(), "progress \u041f-1 \u00e9 0 0/0");
}

TEST_F(ExportRunTest, AMissingDestinationIsCreatedAsOneLevel) {
    destination = folder.Path().u16string() + u"/gone";
    AddPart(u"A");
    Run();
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "gone"));

    destination = folder.Path().u16string() + u"/deeper/still";
    Run(); // one level only: the run goes on, the library reports what it cannot write
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "deeper"));
    EXPECT_EQ(windows.Only("lib CadStop").size(), 2u);
}

TEST_F(ExportRunTest, TheLibraryGetsTheDestinationWithOneTrailingBackslashAndDefaultShop) {
    basket.FShopName = u"";
    destination = u"C:\\out";
    Run();
    destination = u"C:\\out\\";
    basket.FShopName = u"  ";
    Run();
    EXPECT_EQ(
        windows.Only("lib SetDirs"),
        (std::vector<std::string>{"lib SetDirs|C:\\data\\|C:\\cad\\software\\|C:\\out\\|default",
                                  "lib SetDirs|C:\\data\\|C:\\cad\\software\\|C:\\out\\|  "}));
}

TEST_F(ExportRunTest, OnlyTheFirstExportClickRunsAndTellsItsWindowsTheDestination) {
    qrv::testing::RecordedSession program;
    program.library.loaded = true;
    program.library.library = &library;
    for (const std::u16string& typed : {destination, std::u16string(u"D:\\elsewhere")}) {
        program.mainWindow.destination = typed;
        RunExportOnce(program.session, program.mainWindow, windows, windows, NoTaskbarButton());
    }
    const std::vector<std::string> calls = library.Names();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "BeginExport"), 1);
    EXPECT_EQ(windows.Only("destination "),
              std::vector<std::string>(2, "destination " + Narrow(destination)));
}

TEST(ExportTexts, ProgressAndErrorLines) {
    EXPECT_EQ(ProgressText(6, 1, 10), u"6+1/10");
    EXPECT_EQ(ProgressText(0, 0, 0), u"0+0/0");
    EXPECT_EQ(ErrorLine(u"P", u"", u"", u""), u"- P        ");
    EXPECT_EQ(ErrorLine(u"P", u"T", u"1", u"2"), u"- P  T   1   2");
    // A tab of the part's own would start a field of the saved list.
    const TFailedPart tabbed{u"P\t1", u"T", u"", u"2"};
    EXPECT_EQ(FailedPartsFile({&tabbed, 1}, ErrorLine(u"P\t1", u"T", u"", u"2")),
              "\xEF\xBB\xBFP 1\tT\t\t2\r\n");
}

} // namespace
} // namespace qrv
