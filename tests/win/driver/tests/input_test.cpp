#include <gtest/gtest.h>

#include "driver/input.h"
#include "driver/list_box.h"
#include "driver/message_box.h"
#include "fixture.h"

namespace qrv::drive::testing {
namespace {

TEST(RealInput, MouseClickReachesTheControlUnderTheCursor) {
    auto fixture = StartFixture();
    const Window lock = fixture.main.Child(fixture::kLockCheckBox);
    RealClick(lock, {8, 12}); // on the box itself
    WaitUntil([&] { return lock.IsChecked(); }, kDefaultTimeout, "the check box to be checked");
    EXPECT_FALSE(fixture.main.Child(fixture::kNameEdit).IsEnabled());
}

TEST(RealInput, MouseClickOnACheckListEntry) {
    auto fixture = StartFixture();
    const CheckList options(fixture.main.Child(fixture::kOptionList));
    const RECT first = options.ItemRect(0);
    RealClickAt(options.GetWindow(), {first.left + 6, (first.top + first.bottom) / 2});
    WaitUntil([&] { return options.IsChecked(0); }, kDefaultTimeout, "entry 0 to be checked");
    const RECT third = options.ItemRect(2); // disabled: the click changes nothing
    RealClickAt(options.GetWindow(), {third.left + 6, (third.top + third.bottom) / 2});
    RealClickAt(options.GetWindow(), {first.left + 6, (first.top + first.bottom) / 2});
    WaitUntil([&] { return !options.IsChecked(0); }, kDefaultTimeout, "entry 0 to be unchecked");
    EXPECT_FALSE(options.IsChecked(2));
}

TEST(RealInput, TypesUnicodeTextAndKeys) {
    auto fixture = StartFixture();
    const Window name = fixture.main.Child(fixture::kNameEdit);
    RealType(name, L"Gr\u00FC\u00DFe \u20AC");
    WaitUntil([&] { return name.Text() == L"Gr\u00FC\u00DFe \u20AC"; }, kDefaultTimeout,
              "the typed text");
    EXPECT_TRUE(name.IsFocused());
    // Shift+End from the start selects everything.
    KeyStrokes().Press(VK_BACK).Press(VK_HOME).Press(VK_END, kShift).Type(L"x").Send();
    WaitUntil([&] { return name.Text() == L"x"; }, kDefaultTimeout, "the replaced text");
}

TEST(RealInput, EnterPressesTheMessageBoxDefaultButton) {
    auto fixture = StartFixture();
    fixture.main.Child(fixture::kGreetButton).Click();
    const MessageBoxWindow box = MessageBoxWindow::WaitFor(fixture.process.Id());
    box.GetWindow().BringToFront();
    PressKey(VK_RETURN);
    WaitUntil([&] { return !box.IsOpen(); }, kDefaultTimeout, "the box to close");
    const Window status = fixture.main.Child(fixture::kStatusLabel);
    WaitUntil([&] { return status.Text() == L"Answer: OK"; }, kDefaultTimeout, "the answer");
}

} // namespace
} // namespace qrv::drive::testing
