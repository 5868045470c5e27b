#include "platform/folders.h"

#include "settings/temp_folder.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(Folders, ExistenceAndCreationOfOneOrEveryLevel) {
    qrv::testing::TempFolder temp;
    const std::u16string base = temp.Path().u16string();
    EXPECT_TRUE(WideDirectoryExists(base));
    EXPECT_FALSE(WideDirectoryExists(u""));

    const std::u16string cyrillic = base + u"/\u041f\u0440\u043e\u0435\u043a\u0442\u4e2d";
    EXPECT_FALSE(WideDirectoryExists(cyrillic));
    EXPECT_TRUE(CreateSingleFolder(cyrillic));
    EXPECT_TRUE(WideDirectoryExists(cyrillic));
    EXPECT_FALSE(CreateSingleFolder(cyrillic)); // exists already

    EXPECT_FALSE(CreateSingleFolder(base + u"/a/b")); // one level only
    EXPECT_TRUE(CreateFolderPath(base + u"/a/b\\c/"));
    EXPECT_TRUE(WideDirectoryExists(base + u"/a/b\\c"));
    EXPECT_TRUE(CreateFolderPath(base + u"/a")); // exists: nothing to do

    qrv::testing::WriteBytes(temp.Path() / "file", "x");
    EXPECT_FALSE(WideDirectoryExists(base + u"/file"));
    EXPECT_FALSE(CreateFolderPath(base + u"/file/below"));
}

} // namespace
} // namespace qrv
