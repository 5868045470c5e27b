#include "settings/wide_file.h"
#include "settings/wide_mem_ini_file.h"
#include "settings/wide_string_list.h"

#include "settings/list_lines.h"
#include "settings/temp_folder.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using testing::Lines;
using testing::ReadBytes;
using testing::TempFolder;
using testing::Utf16LeBytes;
using testing::WriteBytes;

using LineList = std::vector<std::u16string>;

class WideMemIniFileTest : public ::testing::Test {
protected:
    // Writes the file as ANSI text, the way an editor would.
    std::u16string FileWith(std::string_view text) {
        WriteBytes(folder.Path() / "model.ini", text);
        return folder.File(u"model.ini");
    }
    std::string Written() const { return ReadBytes(folder.Path() / "model.ini"); }

    TempFolder folder;
};

TEST_F(WideMemIniFileTest, ReadsTheNineLineFileAndWritesBackOnlyTheModel) {
    TWideMemIniFile ini(FileWith("a=1\r\n[S]\r\n; note\r\n\r\n  k =  v  \r\njunk\r\n[ T ]\r\n"
                                 "x=1\r\nx=2\r\n"));
    EXPECT_EQ(ini.ReadString(u"t", u"X", u"d"), u"2");
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"d"), u"v");
    EXPECT_EQ(ini.ReadString(u"S", u"a", u"d"), u"d");
    TWideStringList values;
    ini.ReadSectionValues(u"S", values);
    EXPECT_EQ(Lines(values), (LineList{u"k=v", u"junk"}));
    ini.UpdateFile();
    EXPECT_EQ(Written(),
              "\xFF\xFE" + Utf16LeBytes(u"[S]\r\nk=v\r\njunk\r\n\r\n[T]\r\nx=1\r\nx=2\r\n\r\n"));
}

TEST_F(WideMemIniFileTest, DuplicateSectionsStaySeparateAndTheLastOneIsUsed) {
    TWideMemIniFile ini(FileWith("[S]\r\na=first\r\n[S]\r\na=second\r\n"));
    TWideStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(Lines(sections), (LineList{u"S", u"S"}));
    EXPECT_EQ(ini.ReadString(u"s", u"a", u"d"), u"second");
    ini.WriteString(u"S", u"b", u"new");
    TWideStringList values;
    ini.ReadSectionValues(u"S", values);
    EXPECT_EQ(Lines(values), (LineList{u"a=second", u"b=new"}));
    ini.EraseSection(u"S");
    EXPECT_EQ(ini.ReadString(u"S", u"a", u"d"), u"first");
    EXPECT_EQ(ini.ReadString(u"S", u"b", u"d"), u"d");
}

TEST_F(WideMemIniFileTest, OddHeadersAndKeysAreKeptAsTheyStand) {
    TWideMemIniFile ini(FileWith("[]\r\n[abc\r\n=v\r\nq=\"quoted\"\r\n"));
    EXPECT_EQ(ini.ReadString(u"", u"", u"d"), u"v");
    EXPECT_EQ(ini.ReadString(u"", u"q", u"d"), u"\"quoted\"");
    TWideStringList values;
    ini.ReadSectionValues(u"", values);
    EXPECT_EQ(Lines(values), (LineList{u"[abc", u"=v", u"q=\"quoted\""}));
    TWideStringList keys;
    ini.ReadSection(u"", keys);
    EXPECT_EQ(Lines(keys), (LineList{u"", u"q"})); // "[abc" holds no "=" and is no key
}

TEST_F(WideMemIniFileTest, WritingAKeyReplacesItsLineInPlace) {
    TWideMemIniFile ini(FileWith("[S]\r\nfirst=1\r\nKey=0\r\nlast=2\r\n"));
    ini.WriteString(u"S", u"KEY", u"1");
    ini.WriteString(u"S", u"added", u"");
    ini.WriteString(u"New", u"n", u" spaced ");
    TWideStringList values;
    ini.ReadSectionValues(u"S", values);
    EXPECT_EQ(Lines(values), (LineList{u"first=1", u"KEY=1", u"last=2", u"added="}));
    EXPECT_EQ(ini.ReadString(u"s", u"added", u"d"), u"");
    EXPECT_EQ(ini.ReadString(u"NEW", u"N", u"d"), u" spaced ");
    TWideStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(Lines(sections), (LineList{u"S", u"New"}));
}

TEST_F(WideMemIniFileTest, DeletesKeysAndSectionsThatExist) {
    TWideMemIniFile ini(FileWith("[S]\r\na=1\r\nb=2\r\na=3\r\n[T]\r\nc=3\r\n"));
    ini.DeleteKey(u"S", u"A"); // the last a
    ini.DeleteKey(u"S", u"missing");
    ini.DeleteKey(u"missing", u"a");
    ini.EraseSection(u"missing");
    ini.EraseSection(u"t");
    TWideStringList keys;
    ini.ReadSection(u"S", keys);
    EXPECT_EQ(Lines(keys), (LineList{u"a", u"b"}));
    TWideStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(Lines(sections), LineList{u"S"});
    ini.ReadSection(u"missing", keys);
    EXPECT_EQ(keys.Count(), 0);
}

TEST_F(WideMemIniFileTest, ChangesStayInMemoryUntilUpdateFile) {
    const std::u16string file = FileWith("[S]\r\na=1\r\n");
    {
        TWideMemIniFile ini(file);
        ini.WriteString(u"S", u"a", u"2");
    }
    EXPECT_EQ(Written(), "[S]\r\na=1\r\n");
    TWideMemIniFile ini(file);
    ini.WriteString(u"S", u"\u041f\u0443\u0442\u044c",
                    u"D:\\\u041f\u0440\u043e\u0435\u043a\u0442\u4e2d");
    ini.UpdateFile();
    EXPECT_EQ(TWideMemIniFile(file).ReadString(u"s", u"\u043f\u0443\u0442\u044c", u"d"),
              u"D:\\\u041f\u0440\u043e\u0435\u043a\u0442\u4e2d");
}

TEST_F(WideMemIniFileTest, NoFileOrNoNameGivesAnEmptyModel) {
    TWideMemIniFile missing(folder.File(u"missing.ini"));
    EXPECT_EQ(missing.ReadString(u"S", u"k", u"d"), u"d");
    TWideStringList sections;
    missing.ReadSections(sections);
    EXPECT_EQ(sections.Count(), 0);
    TWideMemIniFile unnamed(u"");
    EXPECT_EQ(unnamed.ReadInteger(u"S", u"k", 7), 7);
    unnamed.WriteString(u"S", u"k", u"v");
    EXPECT_THROW(unnamed.UpdateFile(), EFileStreamError);
    // A folder is no file.
    EXPECT_EQ(TWideMemIniFile(folder.Path().u16string()).ReadString(u"S", u"k", u"d"), u"d");
}

TEST_F(WideMemIniFileTest, ReadSectionsReplacesTheListAndLeavesNoObjects) {
    TWideMemIniFile ini(FileWith("[A]\r\n[B]\r\n"));
    TWideStringList sections;
    sections.Add(u"old");
    int notified = 0;
    sections.OnChange = [&] { ++notified; };
    ini.ReadSections(sections);
    EXPECT_EQ(Lines(sections), (LineList{u"A", u"B"}));
    EXPECT_EQ(sections.GetObject(0), nullptr);
    EXPECT_EQ(notified, 1); // one change, told once at the end of the update
}

} // namespace
} // namespace qrv
