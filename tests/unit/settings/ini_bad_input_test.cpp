// Files that are not what an INI file should be: reading them never fails, and every read
// gives the default or the text as it stands in the file.

#include "settings/wide_ini_file.h"
#include "settings/wide_mem_ini_file.h"

#include "settings/platform_flag.h"
#include "settings/temp_folder.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using testing::ScopedPlatformIsUnicode;
using testing::TempFolder;
using testing::Utf16LeBytes;
using testing::WriteBytes;

// Reads through the memory model, and through the platform path cut to its buffer.
class IniBadInputTest : public ::testing::Test {
protected:
    std::u16string FileWith(std::string_view bytes) {
        WriteBytes(folder.Path() / "bad.ini", bytes);
        return folder.File(u"bad.ini");
    }
    void ExpectBoth(const std::u16string& file, const std::u16string& key,
                    const std::u16string& expected) {
        EXPECT_EQ(TWideMemIniFile(file).ReadString(u"S", key, u"d"), expected);
        const std::u16string cut = expected.substr(0, 2047);
        EXPECT_EQ(TWideIniFile(file).ReadString(u"S", key, u"d"), cut.substr(0, cut.find(u'\0')));
    }

    ScopedPlatformIsUnicode platform{true};
    TempFolder folder;
};

TEST_F(IniBadInputTest, LineOfOneMegabyte) {
    const std::string huge(1 << 20, 'b');
    const auto file = FileWith("[S]\r\nk=" + huge + "\r\nj=2\r\n");
    ExpectBoth(file, u"k", std::u16string(huge.begin(), huge.end()));
    ExpectBoth(file, u"j", u"2");
}

TEST_F(IniBadInputTest, LoneSurrogates) {
    const std::u16string value = u"a\xd800z\xdc00";
    const auto file =
        FileWith("\xFF\xFE" + Utf16LeBytes(u"[S]\r\nk=" + value + u"\r\n\xdbff=1\r\n"));
    ExpectBoth(file, u"k", value);
    ExpectBoth(file, u"\xdbff", u"1");
}

TEST_F(IniBadInputTest, NulBytes) {
    const auto file = FileWith(std::string("[S]\r\nk=a\0b\r\nj=2\r\n\0\0\0", 20));
    ExpectBoth(file, u"k", std::u16string(u"a\0b", 3));
    ExpectBoth(file, u"j", u"2");
}

TEST_F(IniBadInputTest, FileThatIsNotTextAtAll) {
    std::string noise;
    for (int i = 0; i < 5000; ++i) {
        noise.push_back(static_cast<char>((i * 7919 + 13) % 256));
    }
    const auto file = FileWith(noise);
    ExpectBoth(file, u"k", u"d");
    TWideIniFile(file).WriteString(u"S", u"k", u"written");
    ExpectBoth(file, u"k", u"written");
}

TEST_F(IniBadInputTest, OddByteCountsAndHalfMarks) {
    // The memory model drops a last odd byte of UTF-16; Wine's profile functions read it as a
    // character of its own.
    const auto odd = FileWith("\xFF\xFE" + Utf16LeBytes(u"[S]\r\nk=v") + "\x41");
    EXPECT_EQ(TWideMemIniFile(odd).ReadString(u"S", u"k", u"d"), u"v");
    EXPECT_TRUE(TWideIniFile(odd).ReadString(u"S", u"k", u"d").starts_with(u"v"));
    ExpectBoth(FileWith("\xFF"), u"k", u"d");
    ExpectBoth(FileWith("\xEF\xBB"), u"k", u"d");
}

} // namespace
} // namespace qrv
