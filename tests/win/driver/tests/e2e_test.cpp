#include "driver/e2e.h"

#include <gtest/gtest.h>

namespace qrv::e2e {
namespace {

TEST(TempFolder, IsCreatedAndRemovedWithItsContents) {
    std::wstring path;
    {
        TempFolder folder(L"probe");
        path = folder.Path();
        EXPECT_TRUE(FolderExists(path));
        const std::wstring nested = folder.CreateFolder(L"a\\b\\c");
        EXPECT_EQ(nested, path + L"\\a\\b\\c");
        EXPECT_TRUE(FolderExists(nested));
        WriteUtf8File(folder.PathOf(L"a\\b\\file.txt"), L"x");
        SetFileAttributesW(folder.PathOf(L"a\\b\\file.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_NE(TempFolder().Path(), path);
    }
    EXPECT_FALSE(FolderExists(path));
}

TEST_F(TempFolderTest, WritesAndReadsTextFiles) {
    const std::wstring text = L"Zeile 1 \u00E4\u20AC\U0001F600\r\nZeile 2\n";
    WriteUtf8File(temp_.PathOf(L"u8.txt"), text);
    EXPECT_EQ(ReadBytes(temp_.PathOf(L"u8.txt")).substr(0, 9), "Zeile 1 \xC3");
    EXPECT_EQ(ReadUtf8File(temp_.PathOf(L"u8.txt")), text);

    WriteUtf16File(temp_.PathOf(L"u16.ini"), L"[S]\r\nk=\u00FC\r\n");
    EXPECT_EQ(ReadBytes(temp_.PathOf(L"u16.ini")).substr(0, 4), std::string("\xFF\xFE[\0", 4));
    EXPECT_EQ(ReadUtf16File(temp_.PathOf(L"u16.ini")), L"[S]\r\nk=\u00FC\r\n");
    EXPECT_THROW(ReadBytes(temp_.PathOf(L"missing")), drive::DriverError);
}

TEST(SplitLines, HandlesBothLineEndsAndALastOpenLine) {
    EXPECT_EQ(SplitLines(L"a\r\nb\n\nc"), (std::vector<std::wstring>{L"a", L"b", L"", L"c"}));
    EXPECT_EQ(SplitLines(L"a\n"), (std::vector<std::wstring>{L"a"}));
    EXPECT_TRUE(SplitLines(L"").empty());
}

TEST_F(TempFolderTest, LogReaderSeesCompleteLinesOnly) {
    Utf8Log log(temp_.PathOf(L"calls.log"));
    EXPECT_TRUE(log.Lines().empty());
    WriteUtf8File(log.Path(), L"ExportCAD_Init\r\nExportCAD_CadSt");
    EXPECT_EQ(log.NewLines(), (std::vector<std::wstring>{L"ExportCAD_Init"}));
    EXPECT_THROW(log.WaitForLine(L"CadStart", drive::Milliseconds(60)), drive::TimeoutError);
    WriteUtf8File(log.Path(), L"ExportCAD_Init\r\nExportCAD_CadStart \u00FC\r\n");
    EXPECT_EQ(log.NewLines(), (std::vector<std::wstring>{L"ExportCAD_CadStart \u00FC"}));
    EXPECT_TRUE(log.NewLines().empty());
    EXPECT_EQ(log.WaitForLine(L"CadStart"), L"ExportCAD_CadStart \u00FC");
}

TEST(Dist, PointsAtTheProgramFolderOfThisBuild) {
    const std::wstring exe = DistPath(L"QRV3DOVEravar.exe");
    EXPECT_EQ(exe.substr(1, 2), L":\\");
    EXPECT_NE(exe.find(L"\\dist\\" QRV_DIST_NAME "\\QRV3DOVEravar.exe"), std::wstring::npos);
}

TEST(MakeEnvironment, AppliesChangesInOrder) {
    const auto environment =
        MakeEnvironment({{L"A", L"1"}, {L"B", L"2"}, {L"A", std::nullopt}}, false);
    EXPECT_EQ(environment.Size(), 1u);
    EXPECT_EQ(environment.Get(L"B"), L"2");
    EXPECT_TRUE(MakeEnvironment({}).Get(L"PATH"));
}

} // namespace
} // namespace qrv::e2e
