// The INI store as the program uses it, on both of its paths: the platform's profile functions
// (Win32PlatformIsUnicode true) and the memory model that stands in for them (false). In the
// native build the platform path runs on our own profile functions, under Wine on Windows'.

#include "settings/wide_ini_file.h"
#include "settings/wide_string_list.h"

#include "settings/list_lines.h"
#include "settings/platform_flag.h"
#include "settings/temp_folder.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using testing::Lines;
using testing::ReadBytes;
using testing::ScopedPlatformIsUnicode;
using testing::TempFolder;
using testing::Utf16LeBytes;
using testing::WriteBytes;

using LineList = std::vector<std::u16string>;

const std::u16string kProject = u"D:\\\u041f\u0440\u043e\u0435\u043a\u0442\u4e2d";

class WideIniFileTest : public ::testing::TestWithParam<bool> {
protected:
    std::u16string File() const { return folder.File(u"settings.ini"); }
    std::filesystem::path Path() const { return folder.Path() / "settings.ini"; }
    // One short-lived object per use, as the settings code works.
    std::u16string Read(const std::u16string& section, const std::u16string& ident,
                        const std::u16string& defaultValue = u"d") {
        return TWideIniFile(File()).ReadString(section, ident, defaultValue);
    }
    void Write(const std::u16string& section, const std::u16string& ident,
               const std::u16string& value) {
        TWideIniFile(File()).WriteString(section, ident, value);
    }

    ScopedPlatformIsUnicode platform{GetParam()};
    TempFolder folder;
};

INSTANTIATE_TEST_SUITE_P(BothPaths, WideIniFileTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Platform" : "Fallback"; });

TEST_P(WideIniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Read(u"S", u"k"), u"d");
    EXPECT_EQ(TWideIniFile(File()).ReadInteger(u"System", u"StartPDataMgrTimeoutSeconds", 120),
              120);
    Write(u"S", u"k", u"v");
    EXPECT_EQ(Read(u"T", u"k"), u"d");
    EXPECT_EQ(Read(u"S", u"j"), u"d");
    EXPECT_EQ(Read(u"S", u"k"), u"v");
}

TEST_P(WideIniFileTest, ValuesSurviveTheObjectInAnyLetterCase) {
    Write(u"Selection", u"Formats", u"Format A~*~Format C~*~");
    Write(u"Selection", u"CreateZipFile", u"");
    Write(u"Selection", u"ExportDestination", kProject);
    Write(u"selection", u"FORMATS", u"Format B~*~");
    EXPECT_EQ(Read(u"SELECTION", u"formats"), u"Format B~*~");
    EXPECT_EQ(Read(u"Selection", u"CreateZipFile"), u"");
    EXPECT_EQ(Read(u"Selection", u"ExportDestination"), kProject);
    TWideIniFile ini(File());
    TWideStringList values;
    ini.ReadSectionValues(u"Selection", values);
    ASSERT_EQ(values.Count(), 3);
    EXPECT_EQ(values.Names(0).size(), 7u); // "Formats" in whichever case it was stored
    EXPECT_EQ(values.ValueFromIndex(0), u"Format B~*~");
    EXPECT_EQ(Lines(values)[1], u"CreateZipFile=");
    EXPECT_EQ(Lines(values)[2], u"ExportDestination=" + kProject);
}

TEST_P(WideIniFileTest, NewFileIsUtf16SoNoCharacterIsLost) {
    Write(u"Selection", u"ExportDestination", kProject);
    EXPECT_EQ(ReadBytes(Path()).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(Read(u"Selection", u"ExportDestination"), kProject);
    // Names beyond ASCII too (read back in the same letter case: Wine's profile functions fold
    // only ASCII letters, Windows' fold all).
    Write(u"\u0420\u0430\u0437\u0434\u0435\u043b", u"\u0418\u043c\u044f", u"\u503c");
    EXPECT_EQ(Read(u"\u0420\u0430\u0437\u0434\u0435\u043b", u"\u0418\u043c\u044f"), u"\u503c");
}

TEST_P(WideIniFileTest, ListsSectionsAndKeysInFileOrder) {
    WriteBytes(Path(), "[B]\r\nz=1\r\ny=2\r\n[A]\r\nx=3\r\n");
    TWideIniFile ini(File());
    TWideStringList names;
    names.Add(u"old");
    ini.ReadSections(names);
    EXPECT_EQ(Lines(names), (LineList{u"B", u"A"}));
    ini.ReadSection(u"b", names);
    EXPECT_EQ(Lines(names), (LineList{u"z", u"y"}));
    ini.ReadSection(u"missing", names);
    EXPECT_EQ(names.Count(), 0);
    ini.ReadSectionValues(u"B", names);
    EXPECT_EQ(Lines(names), (LineList{u"z=1", u"y=2"}));
    TWideIniFile(folder.File(u"missing.ini")).ReadSections(names);
    EXPECT_EQ(names.Count(), 0);
}

TEST_P(WideIniFileTest, DeletesKeysAndErasesSections) {
    Write(u"S", u"a", u"1");
    Write(u"S", u"b", u"2");
    Write(u"T", u"c", u"3");
    {
        TWideIniFile ini(File());
        ini.DeleteKey(u"s", u"A");
        ini.DeleteKey(u"S", u"missing");
        ini.EraseSection(u"t");
        ini.EraseSection(u"missing");
    }
    EXPECT_EQ(Read(u"S", u"a"), u"d");
    EXPECT_EQ(Read(u"S", u"b"), u"2");
    EXPECT_EQ(Read(u"T", u"c"), u"d");
    TWideStringList sections;
    TWideIniFile(File()).ReadSections(sections);
    EXPECT_EQ(Lines(sections), LineList{u"S"});
}

TEST_P(WideIniFileTest, DeletingInAMissingFileCreatesNothing) {
    {
        TWideIniFile ini(File());
        ini.DeleteKey(u"S", u"k");
        ini.EraseSection(u"S");
    }
    EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_P(WideIniFileTest, ReadsAnsiAndUtf8FilesWrittenByHand) {
    WriteBytes(Path(), "[Selection]\r\nExportDestination=C:\\Caf\xE9\r\n");
    EXPECT_EQ(Read(u"Selection", u"ExportDestination"), u"C:\\Caf\u00e9");
    WriteBytes(folder.Path() / "utf8.ini", "\xEF\xBB\xBF[S]\nk=\xD0\x9F\n");
    EXPECT_EQ(TWideIniFile(folder.File(u"utf8.ini")).ReadString(u"S", u"k", u"d"), u"\u041f");
}

TEST_P(WideIniFileTest, TypedValuesGoThroughTheStore) {
    WriteBytes(Path(), "[System]\r\nStartPDataMgrTimeoutSeconds=0x3C\r\nsoon=soon\r\n");
    TWideIniFile ini(File());
    EXPECT_EQ(ini.ReadInteger(u"System", u"StartPDataMgrTimeoutSeconds", 120), 60);
    EXPECT_EQ(ini.ReadInteger(u"System", u"soon", 120), 120);
    ini.WriteBool(u"System", u"flag", true);
    ini.WriteInteger(u"System", u"number", -5);
    EXPECT_TRUE(ini.ReadBool(u"System", u"flag", false));
    EXPECT_EQ(ini.ReadInteger(u"System", u"number", 0), -5);
}

TEST_P(WideIniFileTest, RefusedWritesRaiseAndTheObjectStaysUsable) {
    TWideIniFile ini(folder.File(u"no-such-folder/settings.ini"));
    EXPECT_THROW(ini.WriteString(u"S", u"k", u"v"), std::runtime_error);
    EXPECT_THROW(ini.WriteString(u"S", u"k", u"v"), std::runtime_error);
    EXPECT_EQ(TWideIniFile(ini.FileName()).ReadString(u"S", u"k", u"d"), u"d");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "no-such-folder"));
}

// The platform path alone.

class WideIniFilePlatformTest : public ::testing::Test {
protected:
    ScopedPlatformIsUnicode platform{true};
    TempFolder folder;
};

TEST_F(WideIniFilePlatformTest, CutsLongValuesTo2047Characters) {
    const std::u16string value(3000, u'x');
    TWideIniFile ini(folder.File(u"long.ini"));
    ini.WriteString(u"S", u"k", value);
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"d"), value.substr(0, 2047));
    EXPECT_EQ(ini.ReadString(u"S", u"absent", value), value.substr(0, 2047));
}

TEST_F(WideIniFilePlatformTest, CutsLongListingsWithoutOverrunningTheBuffer) {
    // 20 sections of 1000 characters: 20020 units with terminators, more than 16384.
    std::string text;
    for (int i = 0; i < 20; ++i) {
        text += "[" + std::string(999, static_cast<char>('a' + i)) + "#]\r\nk=v\r\n";
    }
    WriteBytes(folder.Path() / "many.ini", text);
    TWideIniFile ini(folder.File(u"many.ini"));
    TWideStringList sections;
    ini.ReadSections(sections);
    ASSERT_GE(sections.Count(), 16);
    ASSERT_LE(sections.Count(), 17);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(sections.Get(i), std::u16string(999, static_cast<char16_t>(u'a' + i)) + u"#");
    }
}

TEST_F(WideIniFilePlatformTest, RaisesEIniFileExceptionNamingTheFile) {
    const std::u16string file = folder.File(u"missing/\u041f.ini");
    TWideIniFile ini(file);
    try {
        ini.WriteString(u"S", u"k", u"v");
        FAIL() << "the write should have been refused";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.FileName(), file);
        EXPECT_EQ(error.Message(), u"Unable to write to " + file);
        EXPECT_NE(std::string(error.what()).find("\xD0\x9F.ini"), std::string::npos);
    }
}

TEST_F(WideIniFilePlatformTest, KeepsCommentsAndTheFileEncodingOfExistingFiles) {
    const auto path = folder.Path() / "kept.ini";
    WriteBytes(path, "\xFF\xFE" + Utf16LeBytes(u"; kept\r\n[S]\r\n; also kept\r\nk=1\r\n"));
    TWideIniFile(path.u16string()).WriteString(u"S", u"K", u"\u4e2d");
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(bytes.find(Utf16LeBytes(u"; kept")), std::string::npos);
    EXPECT_NE(bytes.find(Utf16LeBytes(u"; also kept")), std::string::npos);
    EXPECT_EQ(TWideIniFile(path.u16string()).ReadString(u"s", u"k", u"d"), u"\u4e2d");
}

// The fallback alone: the memory model's file form shows that it did the work.

TEST(WideIniFileFallback, WritesTheWholeModelAfterEachChange) {
    ScopedPlatformIsUnicode platform(false);
    TempFolder folder;
    const auto path = folder.Path() / "fallback.ini";
    WriteBytes(path, "; dropped\r\n[S]\r\nk=1\r\n");
    {
        TWideIniFile ini(path.u16string());
        ini.WriteString(u"S", u"j", u"2");
        EXPECT_EQ(ReadBytes(path), "\xFF\xFE" + Utf16LeBytes(u"[S]\r\nk=1\r\nj=2\r\n\r\n"));
    }
    EXPECT_EQ(ReadBytes(path), "\xFF\xFE" + Utf16LeBytes(u"[S]\r\nk=1\r\nj=2\r\n\r\n"));
}

TEST(WideIniFileFallback, IsChosenWhenTheObjectIsCreated) {
    TempFolder folder;
    const auto path = folder.Path() / "chosen.ini";
    std::unique_ptr<TWideIniFile> ini;
    {
        ScopedPlatformIsUnicode platform(false);
        ini = std::make_unique<TWideIniFile>(path.u16string());
    }
    ini->WriteString(u"S", u"k", u"v");
    EXPECT_EQ(ReadBytes(path), "\xFF\xFE" + Utf16LeBytes(u"[S]\r\nk=v\r\n\r\n"));
}

} // namespace
} // namespace qrv
