#include "settings/wide_mem_ini_file.h"

#include "settings/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>

namespace qrv {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::Utf16LeBytes;
using testing::WriteBytes;

// Sets the file's write time to some hours before a fixed moment; times a day apart give
// different stamps, equal ones the same.
void Touch(const std::filesystem::path& file, int hoursAgo) {
    static const auto moment = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(file, moment - std::chrono::hours(hoursAgo));
}

TEST(WideMemIniFileV2, WritesTheFileAfterEveryChange) {
    TempFolder folder;
    const auto file = folder.Path() / "v2.ini";
    TWideMemIniFile_V2 ini(file.u16string());
    ini.WriteString(u"S", u"k", u"v");
    EXPECT_EQ(ReadBytes(file), "\xFF\xFE" + Utf16LeBytes(u"[S]\r\nk=v\r\n\r\n"));
    ini.DeleteKey(u"S", u"k");
    EXPECT_EQ(ReadBytes(file), "\xFF\xFE" + Utf16LeBytes(u"[S]\r\n\r\n"));
    ini.EraseSection(u"S");
    EXPECT_EQ(ReadBytes(file), "\xFF\xFE");
}

TEST(WideMemIniFileV2, DeletingWhatIsNotThereWritesNothing) {
    TempFolder folder;
    const auto file = folder.Path() / "v2.ini";
    TWideMemIniFile_V2 ini(file.u16string());
    ini.DeleteKey(u"S", u"k");
    ini.EraseSection(u"S");
    ini.UpdateFile();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(WideMemIniFileV2, ReadsTheFileAgainWhenItsStampChanges) {
    TempFolder folder;
    const auto file = folder.Path() / "v2.ini";
    WriteBytes(file, "[S]\r\nk=1\r\n");
    Touch(file, 48);
    TWideMemIniFile_V2 ini(file.u16string());
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"d"), u"1");

    WriteBytes(file, "[S]\r\nk=2\r\n");
    Touch(file, 48); // same stamp as before: the change goes unnoticed
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"d"), u"1");

    Touch(file, 24);
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"d"), u"2");

    // Our own writes do not count as changes from outside.
    ini.WriteString(u"S", u"j", u"3");
    WriteBytes(file, "[S]\r\nk=4\r\n");
    Touch(file, 12);
    EXPECT_EQ(ini.ReadString(u"S", u"j", u"d"), u"d");
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"d"), u"4");
}

TEST(WideMemIniFileV2, StampIsZeroForAFileThatDoesNotOpenForWriting) {
    TempFolder folder;
    EXPECT_EQ(TWideMemIniFile_V2::FileStamp(folder.File(u"missing.ini")), 0);
    EXPECT_EQ(TWideMemIniFile_V2::FileStamp(folder.Path().u16string()), 0);
    WriteBytes(folder.Path() / "present.ini", "");
    EXPECT_NE(TWideMemIniFile_V2::FileStamp(folder.File(u"present.ini")), 0);
}

} // namespace
} // namespace qrv
