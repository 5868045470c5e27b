#include "export/export_choices.h"

#include "export/fake_check_list.h"
#include "export/recording_library.h"
#include "settings/temp_folder.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using testing::FakeCheckList;
using testing::FakeFields;
using testing::RecordingLibrary;

class ExportChoicesTest : public ::testing::Test {
protected:
    ExportChoicesTest() { SubDirCaptions() = DefaultSubDirCaptions(); }

    void OfferFormats(int count) {
        for (int i = 0; i < count; ++i) {
            const auto n = std::to_string(i);
            library.formats.emplace_back(u"Display " + std::u16string(n.begin(), n.end()),
                                         u"Setting " + std::u16string(n.begin(), n.end()));
        }
        ReadCADFormats(library, choices.CADFormats());
        choices.FillFormatsList();
    }

    RecordingLibrary library;
    FakeCheckList formats;
    FakeCheckList subDirs;
    FakeFields fields;
    TExportChoices choices{formats, subDirs, fields};
};

TEST_F(ExportChoicesTest, FormatsAreReadDisplayNameFirstAndListedUncheckedInLibraryOrder) {
    OfferFormats(3);
    EXPECT_EQ(library.calls, (std::vector<std::string>{
                                 "GetCADCount", "GetCADName|0", "GetCADName|0", "GetCADName|1",
                                 "GetCADName|1", "GetCADName|2", "GetCADName|2"}));
    ASSERT_EQ(choices.CADFormats().size(), 3u);
    EXPECT_EQ(choices.CADFormats()[2]->DisplayName, u"Display 2");
    EXPECT_EQ(choices.CADFormats()[2]->SettingsName, u"Setting 2");
    EXPECT_EQ(formats.Captions(),
              (std::vector<std::u16string>{u"Display 0", u"Display 1", u"Display 2"}));
    EXPECT_EQ(formats.CheckMarks(), (std::vector<bool>{false, false, false}));

    // A second reading replaces the formats, and filling empties the list first.
    library.formats.resize(1);
    ReadCADFormats(library, choices.CADFormats());
    choices.FillFormatsList();
    EXPECT_EQ(formats.Captions(), (std::vector<std::u16string>{u"Display 0"}));
}

TEST_F(ExportChoicesTest, AFailureWhileReadingKeepsTheFormatsReadBeforeIt) {
    library.formats = {{u"A", u"a"}, {u"B", u"b"}, {u"C", u"c"}};
    library.throwOn = "GetCADName";
    library.throwOnCall = 4; // the settings name of index 1
    EXPECT_THROW(ReadCADFormats(library, choices.CADFormats()), std::runtime_error);
    ASSERT_EQ(choices.CADFormats().size(), 1u);
    EXPECT_EQ(choices.CADFormats()[0]->SettingsName, u"a");

    library.formats.clear();
    ReadCADFormats(library, choices.CADFormats());
    EXPECT_TRUE(choices.CADFormats().empty()); // no formats at all, and none of before
}

TEST_F(ExportChoicesTest, ACountNoLibraryCanMeanIsRefusedBeforeAnyNameIsAsked) {
    OfferFormats(2);
    for (const int32_t count : {kMaxCADFormats + 1, 100000, INT32_MAX}) {
        library.calls.clear();
        library.countOverride = count;
        EXPECT_THROW(ReadCADFormats(library, choices.CADFormats()), ETooManyCADFormats);
        EXPECT_EQ(library.calls, (std::vector<std::string>{"GetCADCount"}));
        EXPECT_TRUE(choices.CADFormats().empty());
    }
    // The limit itself is read whole.
    library.countOverride = kMaxCADFormats;
    ReadCADFormats(library, choices.CADFormats());
    EXPECT_EQ(choices.CADFormats().size(), static_cast<size_t>(kMaxCADFormats));
}

TEST_F(ExportChoicesTest, ReadingAsksAfterEachFormatWhetherToGoOn) {
    library.formats = {{u"A", u"a"}, {u"B", u"b"}, {u"C", u"c"}};
    int asked = 0;
    ReadCADFormats(library, choices.CADFormats(), [&] { return ++asked < 2; });
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(choices.CADFormats().size(), 2u);
    EXPECT_EQ(library.calls.size(), 5u); // the count and two names for each of two formats
}

TEST_F(ExportChoicesTest, ExportButtonRule) {
    qrv::testing::TempFolder folder;
    const std::u16string existing = folder.Path().u16string();
    OfferFormats(2);
    auto allowed = [&](const std::u16string& destination) {
        fields.destination = destination;
        return choices.ExportAllowed();
    };

    EXPECT_FALSE(allowed(existing)); // no format checked yet
    formats.SetChecked(1, true);
    EXPECT_TRUE(allowed(existing));
    EXPECT_TRUE(allowed(existing + u"/")); // a trailing separator names the same folder
    EXPECT_FALSE(allowed(u""));
    EXPECT_FALSE(allowed(u"   "));
    EXPECT_FALSE(allowed(u"\t\r\n"));
    EXPECT_FALSE(allowed(existing + u"/missing"));
    EXPECT_FALSE(allowed(folder.File(u"file.txt"))); // not a folder, once it exists
    qrv::testing::WriteBytes(folder.Path() / "file.txt", "x");
    EXPECT_FALSE(allowed(folder.File(u"file.txt")));

    formats.SetChecked(1, false); // the last checked format
    EXPECT_FALSE(allowed(existing));
    formats.SetChecked(0, true);
    EXPECT_TRUE(allowed(existing));
}

TEST_F(ExportChoicesTest, FormatSelectionListsTheCheckedIndexesAscending) {
    OfferFormats(6);
    EXPECT_TRUE(choices.FormatSelection().empty());
    for (int index : {4, 0, 3}) {
        formats.SetChecked(index, true);
    }
    EXPECT_EQ(choices.FormatSelection(), (std::vector<uint16_t>{0, 3, 4}));
    choices.SendFormatSelection(library);
    EXPECT_EQ(library.calls.back(), "SelectCADs|0,3,4");
}

TEST_F(ExportChoicesTest, SubDirListShowsTheCriteriaInTheirOrder) {
    choices.SubDirOrder() = {sdPartNo, sdBaureihe, sdABC, sdCADFormat, sdWKB};
    SubDirCaptions()[sdPartNo] = "Teilenummer \xE9"; // translated, 8-bit
    choices.FillSubDirList();
    EXPECT_EQ(subDirs.Captions(), (std::vector<std::u16string>{
                                      u"Teilenummer \u00e9", u"~Series", u"~FirstLetterOfSeries",
                                      u"~CADFormatDesignation", u"~BasketName"}));
}

class SubDirMovesTest : public ExportChoicesTest {
protected:
    SubDirMovesTest() {
        choices.FillSubDirList();
        for (int position : {0, 2}) {
            subDirs.SetChecked(position, true);
        }
    }
};

TEST_F(SubDirMovesTest, UpOnTheTopAndDownOnTheBottomChangeNothing) {
    subDirs.selected = 0;
    choices.MoveSelectedUp();
    subDirs.selected = 4;
    choices.MoveSelectedDown();
    EXPECT_EQ(choices.SubDirOrder(), kEnumerationOrder);
    EXPECT_EQ(subDirs.entries[0].caption, u"~BasketName");
    EXPECT_EQ(subDirs.entries[4].caption, u"~Teilenummer");

    subDirs.selected = TCheckListView::kNoSelection;
    choices.MoveSelectedUp();
    choices.MoveSelectedDown();
    EXPECT_EQ(choices.SubDirOrder(), kEnumerationOrder);
    EXPECT_FALSE(choices.MoveButtonsEnabled());
}

TEST_F(SubDirMovesTest, UpAtPositionTwoTradesTheCriteriaAndTheHandOverFollows) {
    subDirs.selected = 2;
    EXPECT_TRUE(choices.MoveButtonsEnabled());
    choices.MoveSelectedUp();
    EXPECT_EQ(choices.SubDirOrder(),
              (TSubDirOrder{sdWKB, sdABC, sdCADFormat, sdBaureihe, sdPartNo}));
    EXPECT_EQ(subDirs.entries[1].caption, u"~FirstLetterOfSeries");
    EXPECT_TRUE(subDirs.entries[1].checked); // the mark travels with its criterion
    EXPECT_EQ(subDirs.selected, 1);
    EXPECT_EQ(choices.SubDirSelection(), (std::vector<TSubDir>{sdWKB, sdABC}));

    choices.MoveSelectedDown();
    choices.MoveSelectedDown();
    EXPECT_EQ(choices.SubDirOrder(),
              (TSubDirOrder{sdWKB, sdCADFormat, sdBaureihe, sdABC, sdPartNo}));
    choices.SendSubDirSelection(library);
    EXPECT_EQ(library.calls.back(), "SelectSubDirs|0,2");
}

TEST_F(SubDirMovesTest, DisabledOrUncheckedEntriesAreNeverHandedOver) {
    subDirs.SetEnabled(0, false); // checked, but disabled
    EXPECT_EQ(choices.SubDirSelection(), (std::vector<TSubDir>{sdABC}));
    subDirs.SetChecked(2, false);
    EXPECT_TRUE(choices.SubDirSelection().empty());
    choices.SendSubDirSelection(library);
    EXPECT_EQ(library.calls.back(), "SelectSubDirs|");
}

TEST_F(ExportChoicesTest, ZipModeFollowsTheBox) {
    choices.SendZipMode(library);
    fields.createZip = true;
    choices.SendZipMode(library);
    EXPECT_EQ(library.calls, (std::vector<std::string>{"SetZipMode|0", "SetZipMode|1"}));
}

} // namespace
} // namespace qrv
