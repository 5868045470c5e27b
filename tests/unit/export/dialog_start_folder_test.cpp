#include "export/dialog_start_folder.h"

#include "platform/utf.h"
#include "settings/temp_folder.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(DialogStartFolder, OnlyAnExistingFolderAndThatInTheSystemsFullForm) {
    qrv::testing::TempFolder temp;
    const std::u16string base = temp.Path().u16string();
    qrv::testing::WriteBytes(temp.Path() / "file", "x");
    for (const std::u16string& text : {std::u16string(), base + u"/missing", base + u"/file"}) {
        EXPECT_EQ(DialogStartFolder(text), std::nullopt) << Utf16ToUtf8(text);
    }
    std::filesystem::create_directory(temp.Path() / "sub");
    EXPECT_EQ(DialogStartFolder(base + u"/sub/../sub"), (temp.Path() / "sub").u16string());
}

} // namespace
} // namespace qrv
