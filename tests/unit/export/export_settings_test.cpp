#include "export/export_settings.h"

#include "export/fake_check_list.h"
#include "settings/ini_file_exception.h"
#include "settings/temp_folder.h"
#include "settings/wide_ini_file.h"
#include "settings/wide_string_list.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qrv {
namespace {

using qrv::testing::FakeCheckList;
using qrv::testing::FakeFields;
using qrv::testing::ReadBytes;
using qrv::testing::TempFolder;
using qrv::testing::WriteBytes;

TEST(ReadStartTimeout, DefaultsAndTheFormsTheFileMayHold) {
    TempFolder folder;
    const std::u16string path = folder.File(u"doveravar.ini");
    EXPECT_EQ(ReadStartTimeout(path), 120); // no file

    const std::vector<std::pair<std::u16string, int32_t>> cases = {
        {u"300", 300}, {u"0x3C", 60}, {u"$3C", 60},         {u"0", 0}, {u"-5", -5}, {u"soon", 120},
        {u"", 120},    {u"0x", 120},  {u"99999999999", 120}};
    for (const auto& [text, expected] : cases) {
        {
            TWideIniFile settings(path);
            settings.WriteString(u"System", u"StartPDataMgrTimeoutSeconds", text);
        }
        EXPECT_EQ(ReadStartTimeout(path), expected);
    }
}

// The settings file's lines, decoded from UTF-16LE after its byte-order mark.
std::vector<std::u16string> FileLines(const std::filesystem::path& file) {
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                             (static_cast<uint8_t>(bytes[i + 1]) << 8)));
    }
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) {
            end = text.size();
        }
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string Utf16File(std::u16string_view text) {
    return "\xFF\xFE" + qrv::testing::Utf16LeBytes(text);
}

// The main window's choices against a settings file in a temp folder, with a library that
// offers Format A, B and C (display names "A (display)" ...).
class ExportSettingsTest : public ::testing::Test {
protected:
    ExportSettingsTest() {
        SubDirCaptions() = DefaultSubDirCaptions();
        StartProgram();
    }

    // What a program start does before restoring: read and list the formats.
    void StartProgram() {
        formats = FakeCheckList();
        subDirs = FakeCheckList();
        fields = FakeFields();
        choices.CADFormats().clear();
        choices.SubDirOrder() = kEnumerationOrder;
        for (const char16_t* name : offered) {
            auto format = std::make_unique<TCADFormat>();
            format->SettingsName = name;
            format->DisplayName = std::u16string(name) + u" (display)";
            choices.CADFormats().push_back(std::move(format));
        }
        choices.FillFormatsList();
    }
    void Load() {
        LoadSettings(path, choices, shopName, [] { return kDefault; });
    }
    void Save() { SaveSettings(path, choices); }
    void WriteFile(std::u16string_view text) { WriteBytes(file, Utf16File(text)); }

    static inline const std::u16string kDefault = u"C:\\Users\\me\\Documents\\Quellon\\CADFiles";
    std::vector<const char16_t*> offered = {u"Format A", u"Format B", u"Format C"};
    TempFolder folder;
    std::filesystem::path file = folder.Path() / "doveravar.ini";
    std::u16string path = file.u16string();
    std::u16string shopName = u"Shop";
    FakeCheckList formats;
    FakeCheckList subDirs;
    FakeFields fields;
    TExportChoices choices{formats, subDirs, fields};
};

TEST_F(ExportSettingsTest, FirstRunDefaults) {
    Load();
    EXPECT_EQ(formats.CheckMarks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(choices.SubDirOrder(), kEnumerationOrder);
    EXPECT_EQ(subDirs.Captions().front(), u"~BasketName");
    EXPECT_EQ(subDirs.CheckMarks(), (std::vector<bool>{true, true, true, true, false}));
    EXPECT_FALSE(fields.createZip);
    EXPECT_EQ(fields.destination, kDefault);
    EXPECT_EQ(ReadStartTimeout(path), 120);
    EXPECT_FALSE(std::filesystem::exists(file)); // loading creates nothing
}

TEST_F(ExportSettingsTest, AnEmptyExistingFileGivesTheDefaultsWithoutCheckMarks) {
    WriteBytes(file, "");
    Load();
    EXPECT_EQ(subDirs.CheckMarks(), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_EQ(choices.SubDirOrder(), kEnumerationOrder);
    EXPECT_EQ(fields.destination, kDefault);

    // Saving into it keeps what the ANSI code page cannot hold.
    fields.destination = u"C:\\\u041f\u0440\u043e\u0435\u043a\u0442\u4e2d";
    Save();
    StartProgram();
    Load();
    EXPECT_EQ(fields.destination, u"C:\\\u041f\u0440\u043e\u0435\u043a\u0442\u4e2d");
}

TEST_F(ExportSettingsTest, AFirstSaveWritesTheseLines) {
    Load();
    formats.SetChecked(0, true);
    formats.SetChecked(2, true);
    fields.destination = u"D:\\CAD\\Export";
    Save();
    EXPECT_EQ(FileLines(file), (std::vector<std::u16string>{
                                   u"[Selection]",
                                   u"Formats=Format A~*~Format C~*~",
                                   u"SubDirOrder=0~*~1~*~2~*~3~*~4~*~",
                                   u"SubDir=X~*~X~*~X~*~X~*~~*~",
                                   u"CreateZipFile=",
                                   u"ExportDestination=D:\\CAD\\Export",
                               }));
}

TEST_F(ExportSettingsTest, CloseAndRestartRestoreEveryChoice) {
    Load();
    formats.SetChecked(1, true);
    subDirs.selected = 3;
    choices.MoveSelectedUp();
    choices.MoveSelectedUp(); // sdBaureihe to position 1
    subDirs.SetChecked(0, false);
    subDirs.SetChecked(4, true);
    fields.createZip = true;
    fields.destination = u"  E:\\Out\\  ";
    const auto order = choices.SubDirOrder();
    const auto marks = subDirs.CheckMarks();
    Save();

    StartProgram();
    Load();
    EXPECT_EQ(formats.CheckMarks(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(choices.SubDirOrder(), order);
    EXPECT_EQ(subDirs.Captions()[1], u"~Series");
    EXPECT_EQ(subDirs.CheckMarks(), marks);
    EXPECT_TRUE(fields.createZip);
    // The profile functions drop the blanks around a value.
    EXPECT_EQ(fields.destination, u"E:\\Out\\");
}

TEST_F(ExportSettingsTest, ReverseOrderAndBottomOnlyChecksAreWrittenBackUnchanged) {
    WriteFile(u"[Selection]\r\nSubDirOrder=4~*~3~*~2~*~1~*~0~*~\r\nSubDir=~*~~*~~*~~*~X~*~\r\n");
    Load();
    EXPECT_EQ(subDirs.Captions().front(), u"~Teilenummer");
    EXPECT_EQ(subDirs.CheckMarks(), (std::vector<bool>{false, false, false, false, true}));
    Save();
    const auto lines = FileLines(file);
    EXPECT_EQ(lines[1], u"SubDirOrder=4~*~3~*~2~*~1~*~0~*~");
    EXPECT_EQ(lines[2], u"SubDir=~*~~*~~*~~*~X~*~");
}

TEST_F(ExportSettingsTest, AnyNonEmptyZipValueChecksTheBox) {
    WriteFile(u"[Selection]\r\nCreateZipFile=no\r\n");
    Load();
    EXPECT_TRUE(fields.createZip);
    fields.createZip = false;
    Save();
    StartProgram();
    Load();
    EXPECT_FALSE(fields.createZip); // written as an empty value, not removed
}

TEST_F(ExportSettingsTest, UncheckingEveryFormatKeepsThePreviousFormats) {
    WriteFile(u"[Selection]\r\nFormats=Format C~*~Gone~*~\r\n");
    Load();
    EXPECT_EQ(formats.CheckMarks(), (std::vector<bool>{false, false, true}));
    formats.SetChecked(2, false);
    Save();
    StartProgram();
    Load();
    EXPECT_EQ(formats.CheckMarks(), (std::vector<bool>{false, false, true}));
}

TEST_F(ExportSettingsTest, FormatsCompareExactlyAndOneEntryChecksTwoFormatsOfTheSameName) {
    offered = {u"STEP", u"IGES", u"STEP", u"step"};
    StartProgram();
    WriteFile(u"[Selection]\r\nFormats=STEP~*~\r\n");
    Load();
    EXPECT_EQ(formats.CheckMarks(), (std::vector<bool>{true, false, true, false}));
}

// Settings names as a library may offer them: one that would start a section of its own,
// one holding the list separator, one longer than a value the file gives back.
TEST_F(ExportSettingsTest, NamesThatCannotRoundTripAreNeitherStoredNorRestored) {
    static const std::u16string injected = u"X\r\n[System]\r\nStartPDataMgrTimeoutSeconds=1";
    static const std::u16string separated = u"Format A~*~Format B";
    static const std::u16string longName(3000, u'L');
    offered = {u"Format A", injected.c_str(), separated.c_str(), longName.c_str(), u"Format B"};
    StartProgram();
    Load();
    for (int index = 0; index < 4; ++index) {
        formats.SetChecked(index, true);
    }
    Save();

    EXPECT_EQ(ReadStartTimeout(path), 120);
    TWideIniFile settings(path);
    TWideStringList sections;
    settings.ReadSections(sections);
    ASSERT_EQ(sections.Count(), 1);
    EXPECT_EQ(sections.Get(0), u"Selection");
    EXPECT_EQ(settings.ReadString(u"Selection", u"Formats", u""), u"Format A~*~");

    StartProgram();
    Load();
    EXPECT_EQ(formats.CheckMarks(), (std::vector<bool>{true, false, false, false, false}));
}

TEST_F(ExportSettingsTest, FormatsBeyondTheLongestValueAreLeftOutWhole) {
    static const std::u16string first(1200, u'a');
    static const std::u16string second(1200, u'b');
    offered = {first.c_str(), second.c_str(), u"Short"};
    StartProgram();
    Load();
    for (int index = 0; index < 3; ++index) {
        formats.SetChecked(index, true);
    }
    Save();
    StartProgram();
    Load();
    // The second name would cut the value: it is left out, and the rest still fits.
    EXPECT_EQ(formats.CheckMarks(), (std::vector<bool>{true, false, true}));
}

TEST_F(ExportSettingsTest, ADestinationThatCannotRoundTripKeepsTheStoredOne) {
    Load();
    // The longest that the settings file gives back whole.
    const std::u16string longest(TWideIniFile::kValueBufferLength - 1, u'D');
    fields.destination = longest;
    Save();
    fields.destination = u"D:\\x\r\n[System]\r\nStartPDataMgrTimeoutSeconds=1";
    Save();
    EXPECT_EQ(ReadStartTimeout(path), 120);
    StartProgram();
    Load();
    EXPECT_EQ(fields.destination, longest);
}

TEST_F(ExportSettingsTest, AnOrderThatIsNoPermutationIsRepaired) {
    WriteFile(u"[Selection]\r\nSubDirOrder=4~*~x~*~9~*~4~*~1~*~0~*~2~*~\r\n"
              u"SubDir=X~*~~*~X~*~~*~~*~\r\n");
    Load();
    EXPECT_EQ(choices.SubDirOrder(),
              (TSubDirOrder{sdPartNo, sdCADFormat, sdWKB, sdABC, sdBaureihe}));
    EXPECT_EQ(subDirs.Captions(),
              (std::vector<std::u16string>{u"~Teilenummer", u"~CADFormatDesignation",
                                           u"~BasketName", u"~FirstLetterOfSeries", u"~Series"}));
    EXPECT_EQ(subDirs.CheckMarks(), (std::vector<bool>{true, false, true, false, false}));
}

TEST_F(ExportSettingsTest, AShortCheckValueUnchecksTheRestAndTheLoadGoesOn) {
    WriteFile(u"[Selection]\r\nSubDir=X~*~X\r\nCreateZipFile=X\r\nExportDestination=F:\\x\r\n");
    Load();
    EXPECT_EQ(subDirs.CheckMarks(), (std::vector<bool>{true, true, false, false, false}));
    EXPECT_TRUE(fields.createZip);
    EXPECT_EQ(fields.destination, u"F:\\x");
}

TEST_F(ExportSettingsTest, ABlankShopNameDisablesTheBasketNameWhereverItIs) {
    shopName = u" \t";
    WriteFile(
        u"[Selection]\r\nSubDirOrder=2~*~1~*~0~*~3~*~4~*~\r\nSubDir=X~*~X~*~X~*~X~*~X~*~\r\n");
    Load();
    ASSERT_EQ(subDirs.Captions()[2], u"~BasketName");
    for (int position = 0; position < 5; ++position) {
        EXPECT_EQ(subDirs.Enabled(position), position != 2) << position;
    }
    EXPECT_EQ(choices.SubDirSelection(),
              (std::vector<TSubDir>{sdABC, sdCADFormat, sdBaureihe, sdPartNo}));
    Save(); // the check mark of a disabled entry is stored all the same
    EXPECT_EQ(FileLines(file)[2], u"SubDir=X~*~X~*~X~*~X~*~X~*~");
}

TEST_F(ExportSettingsTest, TheDefaultDestinationIsAskedForEvenWhenOneIsStored) {
    WriteFile(u"[Selection]\r\nCreateZipFile=X\r\nExportDestination=F:\\x\r\n");
    EXPECT_THROW(LoadSettings(path, choices, shopName,
                              []() -> std::u16string {
                                  throw std::runtime_error(
                                      "Could not find MyDocuments folder location.");
                              }),
                 std::runtime_error);
    EXPECT_TRUE(fields.createZip);      // the steps before it ran
    EXPECT_EQ(fields.destination, u""); // the destination was not set
}

TEST_F(ExportSettingsTest, NothingIsWrittenWhenTheChoicesWereNeverRestored) {
    WriteFile(u"[Selection]\r\nFormats=Format B~*~\r\n");
    const std::string before = ReadBytes(file);
    formats.SetChecked(0, true);
    Save(); // the subfolder list is empty: the start-up never got to the settings
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(ExportSettingsTest, SavingCreatesEveryMissingFolderOfThePath) {
    const auto nested = folder.Path() / "Quellon" / "DOVEravar" / "doveravar.ini";
    path = nested.u16string();
    Load();
    Save();
    EXPECT_EQ(FileLines(nested)[0], u"[Selection]");
}

TEST_F(ExportSettingsTest, AFolderThatCannotBeCreatedFailsTheSave) {
    WriteBytes(folder.Path() / "Quellon", "a file where the folder should be");
    path = (folder.Path() / "Quellon" / "DOVEravar" / "doveravar.ini").u16string();
    Load();
    EXPECT_THROW(Save(), EIniFileException);
}

} // namespace
} // namespace qrv
