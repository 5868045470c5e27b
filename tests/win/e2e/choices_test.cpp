// The user's choices on the main window, with real clicks and keys: the format list, the
// Export button rule, the subfolder list and its move buttons, the browse button's picture.
#include "program_fixture.h"

#include "driver/input.h"

#include <windows.h>

namespace qrv::e2e {
namespace {

using drive::CheckList;
using drive::kDefaultTimeout;
using drive::WaitUntil;

const std::vector<std::wstring> kBuiltInFormats = {
    L"STEP AP214",     L"STEP AP203",        L"IGES 5.3",        L"STL (ASCII)", L"AutoCAD DXF 3D",
    L"Parasolid text", L"Autodesk Inventor", L"SolidWorks part", L"CATIA V5",    L"VRML 2.0"};

class ChoicesTest : public ProgramTest {
protected:
    // Clicks into the check box of an entry, or on its caption.
    static void ClickBox(const CheckList& list, int index) {
        const RECT entry = list.ItemRect(index);
        drive::RealClickAt(list.GetWindow(), {entry.left + 7, (entry.top + entry.bottom) / 2});
    }
    static void ClickCaption(const CheckList& list, int index) {
        const RECT entry = list.ItemRect(index);
        drive::RealClickAt(list.GetWindow(), {entry.left + 60, (entry.top + entry.bottom) / 2});
    }
    bool ExportEnabled() { return Control(ids::btnExport).IsEnabled(); }
    void WaitForChecked(const CheckList& list, int index, bool checked) {
        WaitUntil([&] { return list.IsChecked(index) == checked; }, kDefaultTimeout,
                  "entry " + std::to_string(index) + (checked ? " checked" : " unchecked"));
    }
};

TEST_F(ChoicesTest, FirstStartListsTheLibraryFormatsAndTheCriteria) {
    Start();
    WaitUntilChoicesRestored();
    const CheckList formats = FormatsList();
    WaitUntil([&] { return formats.Count() == 10; }, kDefaultTimeout, "the formats");
    EXPECT_EQ(formats.Items(), kBuiltInFormats);
    EXPECT_TRUE(formats.CheckedItems().empty());
    EXPECT_EQ(SubDirList().Items(),
              (std::vector<std::wstring>{L"Basket name", L"CAD format", L"First letter of series",
                                         L"Series", L"Part number"}));
    EXPECT_EQ(SubDirList().CheckStates(), (std::vector<bool>{true, true, true, true, false}));
    EXPECT_FALSE(Control(ids::cbCreateZip).IsChecked());
    EXPECT_FALSE(ExportEnabled());
    EXPECT_FALSE(Control(ids::btnMoveUp).IsEnabled());
    EXPECT_FALSE(Control(ids::btnMoveDown).IsEnabled());

    // The lists keep their exact heights.
    const RECT formatsRect = formats.GetWindow().Rect();
    const RECT subDirRect = SubDirList().GetWindow().Rect();
    EXPECT_EQ(formatsRect.bottom - formatsRect.top, 297);
    EXPECT_EQ(subDirRect.bottom - subDirRect.top, 209);

    // Formats are read after the start, display name first, twice per index in order.
    std::vector<std::wstring> names;
    for (const auto& call : Calls()) {
        if (CallName(call) == L"GetCADName" || CallName(call) == L"GetCADCount") {
            names.push_back(call);
        }
    }
    ASSERT_EQ(names.size(), 21u);
    EXPECT_EQ(names[0], L"GetCADCount|10");
    EXPECT_EQ(names[1], L"GetCADName|0|STEP AP214");
    EXPECT_EQ(names[2], L"GetCADName|0|STEP-AP214");
    EXPECT_EQ(names[20], L"GetCADName|9|VRML");
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(ChoicesTest, ExportButtonFollowsTheDestinationAndTheCheckedFormats) {
    const std::wstring folder = temp_.CreateFolder(L"out");
    Start();
    WaitUntilChoicesRestored();
    const CheckList formats = FormatsList();
    const drive::Window destination = Control(ids::BrowseDestination);
    destination.SetText(folder);
    EXPECT_FALSE(ExportEnabled()); // no format checked

    main_->BringToFront();
    ClickBox(formats, 3);
    WaitForChecked(formats, 3, true);
    WaitForExport(true);

    destination.SetText(L"");
    WaitForExport(false);
    destination.SetText(L"   ");
    WaitForExport(false);
    destination.SetText(folder + L"\\missing");
    WaitForExport(false);
    destination.SetText(folder + L"\\");
    WaitForExport(true);

    ClickBox(formats, 3); // the last checked format
    WaitForChecked(formats, 3, false);
    WaitForExport(false);
    drive::PressKey(VK_SPACE); // the selected entry, by keyboard
    WaitForChecked(formats, 3, true);
    WaitForExport(true);

    ClickCaption(formats, 5); // a click on the caption only selects
    WaitUntil([&] { return formats.Selection() == 5; }, kDefaultTimeout, "entry 5 selected");
    EXPECT_FALSE(formats.IsChecked(5));
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(ChoicesTest, MoveButtonsFollowMouseSelectionAndMoveTheCriteria) {
    Start();
    WaitUntilChoicesRestored();
    const CheckList list = SubDirList();
    const drive::Window up = Control(ids::btnMoveUp);
    const drive::Window down = Control(ids::btnMoveDown);
    main_->BringToFront();

    ClickCaption(list, 0);
    WaitUntil([&] { return up.IsEnabled() && down.IsEnabled(); }, kDefaultTimeout,
              "the move buttons to be enabled");
    up.Click(); // the top entry does not move up
    EXPECT_EQ(list.Item(0), L"Basket name");

    // Keyboard selection leaves the buttons as they are.
    list.GetWindow().Focus();
    drive::PressKey(VK_END);
    WaitUntil([&] { return list.Selection() == 4; }, kDefaultTimeout, "the last entry selected");
    EXPECT_TRUE(up.IsEnabled());
    down.Click(); // the bottom entry does not move down
    EXPECT_EQ(list.Item(4), L"Part number");

    ClickCaption(list, 2);
    WaitUntil([&] { return list.Selection() == 2; }, kDefaultTimeout, "entry 2 selected");
    up.Click();
    EXPECT_EQ(list.Items(), (std::vector<std::wstring>{L"Basket name", L"First letter of series",
                                                       L"CAD format", L"Series", L"Part number"}));
    EXPECT_EQ(list.Selection(), 1); // the selection moved with its entry
    ClickBox(list, 3);              // uncheck "Series"
    WaitForChecked(list, 3, false);
    EXPECT_EQ(list.CheckStates(), (std::vector<bool>{true, true, true, false, false}));

    EXPECT_EQ(CloseAndWait(), 0u);
    const auto lines = SettingsLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"SubDirOrder=0~*~2~*~1~*~3~*~4~*~"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"SubDir=X~*~X~*~X~*~~*~~*~"), lines.end());
}

TEST_F(ChoicesTest, ABlankShopNameGreysTheBasketNameWhichCannotBeToggled) {
    SetEnv(L"ShopName", L"  ");
    WriteSettings(L"[Selection]\r\nSubDirOrder=1~*~0~*~2~*~3~*~4~*~\r\n"
                  L"SubDir=X~*~~*~X~*~X~*~~*~\r\n");
    Start();
    WaitUntilChoicesRestored();
    const CheckList list = SubDirList();
    ASSERT_EQ(list.Item(1), L"Basket name");
    EXPECT_FALSE(list.IsEntryEnabled(1));
    EXPECT_TRUE(list.IsEntryEnabled(0));
    main_->BringToFront();
    ClickBox(list, 1);
    drive::PressKey(VK_SPACE);
    ClickBox(list, 4); // a later click that does toggle, so the ones before have been handled
    WaitForChecked(list, 4, true);
    EXPECT_FALSE(list.IsChecked(1));
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(ChoicesTest, BrowseButtonShowsTheFolderPicture) {
    Start();
    WaitUntilChoicesRestored();
    main_->BringToFront();
    const drive::Window browse = Control(ids::btnBrowse);
    EXPECT_EQ(browse.Text(), L"");
    const RECT rect = browse.Rect();
    // Count the picture's pixels on the screen: blue ones, white around them.
    int blue = 0;
    int white = 0;
    const HDC screen = GetDC(nullptr);
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF pixel = GetPixel(screen, x, y);
            blue += pixel == RGB(0, 145, 220) ? 1 : 0;
            white += pixel == RGB(255, 255, 255) ? 1 : 0;
        }
    }
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(blue, 50);            // the picture's drawn pixels
    EXPECT_EQ(white, 23 * 22 - 50); // transparent: the white background shows through
    EXPECT_EQ(CloseAndWait(), 0u);
}

} // namespace
} // namespace qrv::e2e
