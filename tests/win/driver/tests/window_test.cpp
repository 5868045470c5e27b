#include <gtest/gtest.h>

#include <future>

#include "driver/list_box.h"
#include "driver/text.h"
#include "fixture.h"

namespace qrv::drive::testing {
namespace {

using fixture::ControlId;

class FixtureWindow : public ::testing::Test {
protected:
    RunningFixture fixture_ = StartFixture({L"--title", L"Fixture \u00C4\u00D6\u00DC \u2713"});
    Window Control(ControlId id) const { return fixture_.main.Child(id); }
};

TEST_F(FixtureWindow, ReadsTextsAndStates) {
    EXPECT_EQ(fixture_.main.Text(), L"Fixture \u00C4\u00D6\u00DC \u2713");
    EXPECT_EQ(fixture_.main.ClassName(), fixture::kMainClass);
    EXPECT_TRUE(fixture_.main.IsVisible());
    EXPECT_FALSE(fixture_.main.IsMinimized());
    EXPECT_EQ(fixture_.main.ProcessId(), fixture_.process.Id());
    EXPECT_FALSE(fixture_.main.Parent());
    EXPECT_EQ(Control(fixture::kStatusLabel).Text(), L"Ready");
    EXPECT_EQ(Control(fixture::kGreetButton).Text(), L"&Greet");
    EXPECT_EQ(Control(fixture::kGreetButton).Parent(), fixture_.main);
    EXPECT_EQ(Control(fixture::kGreetButton).TopLevel(), fixture_.main);
    EXPECT_FALSE(Control(fixture::kLockCheckBox).IsChecked());
    EXPECT_TRUE(Control(fixture::kNameEdit).IsEnabled());

    const RECT window = fixture_.main.Rect();
    const RECT button = Control(fixture::kGreetButton).Rect();
    EXPECT_EQ(button.right - button.left, 100);
    EXPECT_EQ(button.bottom - button.top, 24);
    EXPECT_GE(button.left, window.left);
    EXPECT_LE(button.bottom, window.bottom);
}

TEST_F(FixtureWindow, FindsControlsByIdClassAndText) {
    EXPECT_EQ(fixture_.main.Child(ControlQuery::ByClass(L"button", 3)),
              Control(fixture::kLockCheckBox));
    EXPECT_EQ(fixture_.main.Child(ControlQuery::ByClass(L"Static", 0)),
              Control(fixture::kStatusLabel));
    EXPECT_EQ(fixture_.main.Child(ControlQuery::ByText(L"Greet")), Control(fixture::kGreetButton));
    EXPECT_EQ(fixture_.main.Child(ControlQuery::ByText(L"&Quit", L"Button")),
              Control(fixture::kQuitButton));
    EXPECT_FALSE(fixture_.main.FindChild(ControlQuery::ByText(L"Greet", L"Static")));
    EXPECT_FALSE(fixture_.main.FindChild(ControlQuery::ByClass(L"Button", 4)));
    EXPECT_THROW(fixture_.main.Child(999), DriverError);
    EXPECT_THROW(fixture_.main.WaitForChild(ControlQuery::ById(999), Milliseconds(60)),
                 TimeoutError);
}

TEST_F(FixtureWindow, ClicksAndTypesThroughMessages) {
    Control(fixture::kNameEdit).SetText(L"Zo\u00EB");
    EXPECT_EQ(Control(fixture::kNameEdit).Text(), L"Zo\u00EB");

    // The click is handled when Click returns: the program has already disabled the edit.
    Control(fixture::kLockCheckBox).Click();
    EXPECT_TRUE(Control(fixture::kLockCheckBox).IsChecked());
    EXPECT_EQ(Control(fixture::kLockCheckBox).CheckState(), BST_CHECKED);
    EXPECT_FALSE(Control(fixture::kNameEdit).IsEnabled());
    Control(fixture::kLockCheckBox).Click();
    EXPECT_TRUE(Control(fixture::kNameEdit).IsEnabled());
}

TEST_F(FixtureWindow, ReadsListBoxes) {
    const ListBox fruits(Control(fixture::kFruitList));
    EXPECT_EQ(fruits.Count(), 4);
    EXPECT_EQ(fruits.Items(), (std::vector<std::wstring>{L"Apple", L"Banana", L"Cherry",
                                                         L"Dattel \u00FC\u20AC\u2713"}));
    EXPECT_EQ(fruits.Selection(), -1);
    EXPECT_THROW(fruits.Item(4), DriverError);
    EXPECT_THROW(fruits.Item(-1), DriverError);
    EXPECT_THROW(ListBox(Control(fixture::kStatusLabel)).Item(0), DriverError);
}

TEST_F(FixtureWindow, ReadsAndSetsCheckLists) {
    const CheckList options(Control(fixture::kOptionList));
    EXPECT_EQ(options.Items(), (std::vector<std::wstring>{L"First", L"Second", L"Third"}));
    EXPECT_EQ(options.CheckStates(), (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(options.IsEntryEnabled(0));
    EXPECT_FALSE(options.IsEntryEnabled(2));

    options.SetChecked(0, true);
    options.SetChecked(1, false);
    options.SetEntryEnabled(2, true);
    EXPECT_EQ(options.CheckedItems(), (std::vector<std::wstring>{L"First"}));
    EXPECT_TRUE(options.IsEntryEnabled(2));
    EXPECT_THROW(options.IsChecked(3), DriverError);
}

TEST_F(FixtureWindow, MinimisesAndRestores) {
    fixture_.main.Minimize();
    EXPECT_TRUE(fixture_.main.IsMinimized());
    fixture_.main.Restore();
    EXPECT_FALSE(fixture_.main.IsMinimized());
    EXPECT_TRUE(fixture_.main.IsVisible());
}

TEST_F(FixtureWindow, ClosingEndsTheProgram) {
    fixture_.main.Close();
    EXPECT_EQ(fixture_.process.WaitForExit(), 0u);
    EXPECT_FALSE(fixture_.main.Exists());
    EXPECT_THROW(fixture_.main.Text(), DriverError);
}

TEST(TopLevelWindows, ListsHiddenWindowsToo) {
    auto fixture = StartFixture();
    const auto all = TopLevelWindows(fixture.process.Id());
    const auto progress = FindTopLevelWindows(
        fixture.process.Id(),
        {.className = std::wstring(fixture::kProgressClass), .visibleOnly = false});
    ASSERT_EQ(progress.size(), 1u);
    EXPECT_FALSE(progress.front().IsVisible());
    EXPECT_NE(std::find(all.begin(), all.end(), progress.front()), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), fixture.main), all.end());
    EXPECT_EQ(FindTopLevelWindows(fixture.process.Id(), {}), (std::vector<Window>{fixture.main}));
    EXPECT_THROW(
        WaitForTopLevelWindow(fixture.process.Id(), {.caption = L"Not there"}, Milliseconds(60)),
        TimeoutError);
}

TEST(TopLevelWindows, ClickReturnsWhenTheHandlerShowsAWindowAndGoesOn) {
    auto fixture = StartFixture();
    fixture.main.Child(fixture::kWorkButton).Click();
    const Window progress = WaitForTopLevelWindow(
        fixture.process.Id(), {.className = std::wstring(fixture::kProgressClass)},
        Milliseconds(0));
    EXPECT_EQ(progress.Text(), fixture::kProgressCaption);
    const Window status = fixture.main.Child(fixture::kStatusLabel);
    EXPECT_EQ(status.Text(), L"Ready"); // the handler still runs
    progress.Close();
    status.WaitForText(L"Work done");
    WaitForNoTopLevelWindow(fixture.process.Id(),
                            {.className = std::wstring(fixture::kProgressClass)});
}

TEST(TopLevelWindows, SecondCopyShowsNoWindowAndBringsTheFirstBack) {
    auto first = StartFixture({L"--single-instance"});
    first.main.Minimize();

    Process second =
        Process::Start({.program = FixturePath(), .arguments = {L"--single-instance"}});
    for (const SeenWindow& seen : WatchTopLevelWindowsUntilExit(second)) {
        EXPECT_FALSE(seen.wasVisible) << ToUtf8(seen.className) << " " << ToUtf8(seen.caption);
    }
    EXPECT_EQ(second.WaitForExit(), 0u);
    // The first copy has restored itself; where the display's focus went after that is
    // Wine's matter, not the driver's.
    WaitUntil([&] { return !first.main.IsMinimized(); }, kDefaultTimeout, "the first copy back");

    // The watch does see a copy's windows: it watches from the start, before the window is
    // closed (a close posted first may end the copy before a watch begun after it looks).
    Process third = Process::Start({.program = FixturePath(), .arguments = {L"--exit-code", L"3"}});
    auto watch =
        std::async(std::launch::async, [&] { return WatchTopLevelWindowsUntilExit(third); });
    WaitForTopLevelWindow(third.Id(), {.className = std::wstring(fixture::kMainClass)}).Close();
    const auto seen = watch.get();
    EXPECT_EQ(third.WaitForExit(), 3u);
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const SeenWindow& window) {
        return window.className == fixture::kMainClass && window.caption == L"Fixture";
    }));
}

} // namespace
} // namespace qrv::drive::testing
