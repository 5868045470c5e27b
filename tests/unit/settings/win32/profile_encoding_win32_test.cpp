// What Windows' own profile functions do with the encoding of a file, and why the INI store
// creates a new file itself before the first write.

#include "settings/private_profile.h"
#include "settings/wide_ini_file.h"

#include "settings/platform_flag.h"
#include "settings/temp_folder.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using testing::ReadBytes;
using testing::ScopedPlatformIsUnicode;
using testing::TempFolder;
using testing::WriteBytes;

const std::u16string kProjectFolder = u"D:\\\u041f\u0440\u043e\u0435\u043a\u0442\u4e2d";

std::u16string PlatformRead(const std::u16string& file) {
    char16_t buffer[256] = {};
    ProfileGetString(u"S", u"k", u"d", buffer, 256, file.c_str());
    return buffer;
}

TEST(ProfileEncodingWin32, PlatformLosesWhatANewAnsiFileCannotHold) {
    TempFolder folder;
    const std::u16string file = folder.File(u"platform.ini");
    ASSERT_TRUE(ProfileWriteString(u"S", u"k", kProjectFolder.c_str(), file.c_str()));
    EXPECT_EQ(PlatformRead(file), u"D:\\???????");
    EXPECT_NE(ReadBytes(folder.Path() / "platform.ini").substr(0, 2), "\xFF\xFE");
}

TEST(ProfileEncodingWin32, StoreKeepsCyrillicAndCjkInANewFile) {
    ScopedPlatformIsUnicode platform(true);
    TempFolder folder;
    const std::u16string file = folder.File(u"store.ini");
    TWideIniFile(file).WriteString(u"S", u"k", kProjectFolder);
    EXPECT_EQ(PlatformRead(file), kProjectFolder);
    EXPECT_EQ(ReadBytes(folder.Path() / "store.ini").substr(0, 2), "\xFF\xFE");
}

TEST(ProfileEncodingWin32, ExistingAnsiFileKeepsItsEncoding) {
    ScopedPlatformIsUnicode platform(true);
    TempFolder folder;
    WriteBytes(folder.Path() / "ansi.ini", "[S]\r\nj=caf\xE9\r\n");
    const std::u16string file = folder.File(u"ansi.ini");
    TWideIniFile(file).WriteString(u"S", u"k", u"\u00e9\u4e2d");
    EXPECT_EQ(ReadBytes(folder.Path() / "ansi.ini"), "[S]\r\nj=caf\xE9\r\nk=\xE9?\r\n");
}

TEST(ProfileEncodingWin32, StoreKeepsCyrillicAndCjkInAnEmptyExistingFile) {
    ScopedPlatformIsUnicode platform(true);
    TempFolder folder;
    WriteBytes(folder.Path() / "empty.ini", "");
    const std::u16string file = folder.File(u"empty.ini");
    TWideIniFile(file).WriteString(u"S", u"k", kProjectFolder);
    EXPECT_EQ(PlatformRead(file), kProjectFolder);
    EXPECT_EQ(ReadBytes(folder.Path() / "empty.ini").substr(0, 2), "\xFF\xFE");
}

} // namespace
} // namespace qrv
