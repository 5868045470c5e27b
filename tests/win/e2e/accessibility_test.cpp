// The program as a user who cannot see the screen or use a mouse meets it: every control read
// from another process as a screen reader reads it (Microsoft Active Accessibility), and a
// whole export by keystrokes alone.
#include "dpi_expectations.h"
#include "program_fixture.h"

#include "driver/accessible.h"
#include "driver/input.h"
#include "export/export_window_ids.h"

#include <windows.h>

#include <algorithm>
#include <iostream>

namespace qrv::e2e {
namespace {

using drive::Accessible;
using drive::kDefaultTimeout;
using drive::WaitUntil;
using drive::Window;

bool Has(unsigned long states, unsigned long state) {
    return (states & state) == state;
}

// The bitmap button's focus rectangle has come: the pixels that changed lie on its outline, 3
// design pixels in from the edges, and most of that outline changed (a dotted line).
void ExpectFocusRectangleAppears(const Window& button, const ScreenPixels& without) {
    const int inset = Scale(3, DisplayDpi());
    const int right = without.Width() - 1 - inset;
    const int bottom = without.Height() - 1 - inset;
    int onOutline = 0;
    int elsewhere = 0;
    const auto changed = [&] {
        const ScreenPixels with(button.Rect());
        onOutline = 0;
        elsewhere = 0;
        for (int y = 0; y < with.Height(); ++y) {
            for (int x = 0; x < with.Width(); ++x) {
                if (with.At(x, y) == without.At(x, y)) {
                    continue;
                }
                const bool outline = x >= inset && x <= right && y >= inset && y <= bottom &&
                                     (x == inset || x == right || y == inset || y == bottom);
                ++(outline ? onOutline : elsewhere);
            }
        }
        return onOutline > 0;
    };
    try {
        WaitUntil(changed, std::chrono::seconds(3), "the focus rectangle");
    } catch (const drive::TimeoutError&) {
    }
    EXPECT_GE(onOutline, (right - inset + bottom - inset) / 2);
    EXPECT_EQ(elsewhere, 0);
}

class AccessibilityTest : public ProgramTest {
protected:
    AccessibilityTest() {
        UseDemoBasket();
        SetEnv(L"CADSIM_PART_DELAY_MS", L"0");
        // The pointer away from the windows, so that no button shows its hover picture.
        SetCursorPos(0, 0);
    }

    Accessible Reader(const Window& window) const { return Accessible::OfWindow(window.Handle()); }
    Accessible Reader(int id) { return Reader(Control(id)); }

    // Every control of a window as the reader finds it, for the test's output.
    void PrintControls(const Window& window) const {
        for (const Window& control : window.Descendants()) {
            const Accessible reader = Reader(control);
            std::wcout << control.Id() << L" " << reader.Describe() << L"\n";
            for (long child = 1; child <= reader.ChildCount(); ++child) {
                if (!reader.IsElement(child)) {
                    continue; // a window of its own, listed in its turn
                }
                std::wcout << L"    " << child << L" " << reader.Describe(child) << L"\n";
            }
        }
    }

    drive::ComApartment com_;
};

TEST_F(AccessibilityTest, AScreenReaderHearsEveryControlWithItsRoleNameAndState) {
    const std::wstring out = temp_.CreateFolder(L"out");
    Start();
    WaitUntilChoicesRestored();
    PrintControls(*main_);

    const Accessible formats = Reader(ids::FormatsList);
    EXPECT_EQ(formats.Role(), ROLE_SYSTEM_LIST);
    EXPECT_EQ(formats.Name(), L"Available CAD formats");
    ASSERT_EQ(formats.ChildCount(), 10);
    EXPECT_EQ(formats.Role(4), ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_EQ(formats.Name(4), L"STL (ASCII)");
    EXPECT_FALSE(Has(formats.State(4), STATE_SYSTEM_CHECKED));
    const Accessible subDirs = Reader(ids::SubDirListBox);
    EXPECT_EQ(subDirs.Name(), L"Subfolders");
    EXPECT_EQ(subDirs.Name(1), L"Basket name");
    EXPECT_TRUE(Has(subDirs.State(1), STATE_SYSTEM_CHECKED));
    const Accessible exportButton = Reader(ids::btnExport);
    EXPECT_EQ(exportButton.Role(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(exportButton.Name(), L"Export");
    EXPECT_TRUE(Has(exportButton.State(), STATE_SYSTEM_UNAVAILABLE));
    EXPECT_EQ(Reader(ids::btnBrowse).Name(), L"Choose the destination folder");
    const Accessible starting = Reader(ids::pnlStartingPDataMgr);
    EXPECT_EQ(starting.Role(), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(starting.Name(), L"Starting the CAD system, please wait...");
    EXPECT_EQ(Reader(ids::lblExportDestination).Name(), L"Destination folder");

    // A check, a greying and a destination: the reader finds them.
    FormatsList().SetChecked(3, true);
    SubDirList().SetEntryEnabled(0, false);
    Control(ids::BrowseDestination).SetText(out);
    WaitForExport(true);
    EXPECT_TRUE(Has(formats.State(4), STATE_SYSTEM_CHECKED));
    EXPECT_EQ(formats.DefaultAction(4), L"Uncheck");
    EXPECT_TRUE(Has(subDirs.State(1), STATE_SYSTEM_UNAVAILABLE));
    EXPECT_FALSE(Has(exportButton.State(), STATE_SYSTEM_UNAVAILABLE));

    // A run, started with the mouse: the dialog's button has the focus and shows none, until
    // a key is pressed.
    const Window dialog = PressExport();
    const Window close = dialog.Child(ids::btnAbort);
    close.WaitForText(L"Close", std::chrono::seconds(60));
    PrintControls(dialog);
    const Accessible closeReader = Reader(close);
    EXPECT_EQ(closeReader.Name(), L"Close");
    EXPECT_FALSE(Has(closeReader.State(), STATE_SYSTEM_UNAVAILABLE));
    const Accessible partNo = Reader(dialog.Child(ids::lblPartNo));
    EXPECT_EQ(partNo.Role(), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(partNo.Name(), L"Export finished");
    EXPECT_EQ(Reader(dialog.Child(ids::lblAll)).Name(), L"Total: 12");
    ASSERT_TRUE(close.IsFocused());
    const ScreenPixels withoutFocusRectangle(close.Rect());
    drive::PressKey(VK_SHIFT);
    ExpectFocusRectangleAppears(close, withoutFocusRectangle);
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(AccessibilityTest, AWholeExportByKeystrokesAlone) {
    const std::wstring out = temp_.CreateFolder(L"out");
    Start();
    WaitUntilChoicesRestored();
    main_->BringToFront();
    const auto press = [](WORD key, unsigned modifiers = drive::kNoModifier) {
        drive::PressKey(key, modifiers);
    };
    const auto focusOn = [&](int id) {
        WaitUntil([&] { return Control(id).IsFocused(); }, kDefaultTimeout,
                  "the focus on control " + std::to_string(id));
    };

    press(VK_TAB); // destination, browse, formats, subfolders, zip box, Export
    focusOn(ids::BrowseDestination);
    drive::TypeText(out);
    Control(ids::BrowseDestination).WaitForText(out);
    press(VK_TAB);
    focusOn(ids::btnBrowse);
    press(VK_TAB);
    focusOn(ids::FormatsList);
    drive::KeyStrokes()
        .Press(VK_HOME)
        .Press(VK_SPACE) // STEP AP214
        .Press(VK_DOWN)
        .Press(VK_DOWN)
        .Press(VK_DOWN)
        .Press(VK_SPACE) // STL (ASCII)
        .Send();
    const drive::CheckList formats = FormatsList();
    WaitUntil([&] { return formats.IsChecked(3); }, kDefaultTimeout, "STL checked");

    press(VK_TAB);
    focusOn(ids::SubDirListBox);
    drive::KeyStrokes()
        .Press(VK_HOME)
        .Press(VK_DOWN, drive::kAlt) // the basket name one place down
        .Press(VK_END)
        .Press(VK_SPACE)           // the part number checked
        .Press(VK_UP, drive::kAlt) // and one place up
        .Send();
    const drive::CheckList subDirs = SubDirList();
    const std::vector<std::wstring> order = {L"CAD format", L"Basket name",
                                             L"First letter of series", L"Part number", L"Series"};
    WaitUntil([&] { return subDirs.Items() == order; }, kDefaultTimeout, "the new order");
    EXPECT_EQ(subDirs.CheckStates(), (std::vector<bool>{true, true, true, true, true}));
    EXPECT_EQ(subDirs.Selection(), 3);
    EXPECT_FALSE(Control(ids::btnMoveUp).IsEnabled()); // the buttons follow the mouse alone

    press(VK_TAB); // past the disabled move buttons
    focusOn(ids::cbCreateZip);
    press(VK_SPACE);
    const Window exportButton = Control(ids::btnExport);
    WaitForExport(true);
    const ScreenPixels withoutFocusRectangle(exportButton.Rect());
    press(VK_TAB);
    focusOn(ids::btnExport);
    ExpectFocusRectangleAppears(exportButton, withoutFocusRectangle);

    press(VK_RETURN);
    const Window dialog = drive::WaitForTopLevelWindow(
        program_->Id(), {.className = ids::kExportDetailsClass, .visibleOnly = true});
    const Window close = dialog.Child(ids::btnAbort);
    close.WaitForText(L"Close", std::chrono::seconds(60));
    EXPECT_TRUE(close.IsFocused());
    press(VK_RETURN);
    EXPECT_EQ(program_->WaitForExit(), 0u);

    const auto calls = Calls();
    const auto has = [&](const std::wstring& call) {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    };
    EXPECT_TRUE(has(L"SelectCADs|0,3"));
    EXPECT_TRUE(has(L"SelectSubDirs|1,0,2,4,3"));
    EXPECT_TRUE(has(L"SetZipMode|1"));
    EXPECT_TRUE(FileExists(out + L"\\Quellon Demo Shop.zip"));
}

} // namespace
} // namespace qrv::e2e
