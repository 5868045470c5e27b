#include <gtest/gtest.h>

#include "driver/message_box.h"
#include "fixture.h"

namespace qrv::drive::testing {
namespace {

class GreetingBox : public ::testing::Test {
protected:
    void SetUp() override {
        fixture_.main.Child(fixture::kNameEdit).SetText(L"W\u00F6rld");
        // Click returns while the program waits in its message box.
        fixture_.main.Child(fixture::kGreetButton).Click();
    }

    RunningFixture fixture_ = StartFixture();
};

TEST_F(GreetingBox, ReadsCaptionMessageAndButtons) {
    const MessageBoxWindow box = MessageBoxWindow::WaitFor(fixture_.process.Id());
    EXPECT_EQ(box.Caption(), fixture::kGreetingCaption);
    EXPECT_EQ(box.Message(), L"Hello, W\u00F6rld!");
    const auto buttons = box.Buttons();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].id, IDOK);
    EXPECT_EQ(buttons[0].text, L"OK");
    EXPECT_EQ(buttons[1].id, IDCANCEL);
    EXPECT_EQ(buttons[1].text, L"Cancel");
    // The box is owned by the main window, which it disables while it is open.
    EXPECT_EQ(box.GetWindow().Owner(), fixture_.main);
    EXPECT_FALSE(fixture_.main.IsEnabled());
}

TEST_F(GreetingBox, PressingAButtonClosesItAndTheProgramSeesTheAnswer) {
    const MessageBoxWindow box = MessageBoxWindow::WaitFor(fixture_.process.Id());
    box.Press(L"Cancel");
    EXPECT_FALSE(box.IsOpen());
    EXPECT_FALSE(MessageBoxWindow::Find(fixture_.process.Id()));
    const Window status = fixture_.main.Child(fixture::kStatusLabel);
    status.WaitForText(L"Answer: Cancel");

    fixture_.main.Child(fixture::kGreetButton).Click();
    MessageBoxWindow::WaitFor(fixture_.process.Id()).Press(IDOK);
    status.WaitForText(L"Answer: OK");
    EXPECT_THROW(status.WaitForText(L"Answer: Maybe", Milliseconds(60)), TimeoutError);
}

TEST_F(GreetingBox, RefusesButtonsItDoesNotHave) {
    const MessageBoxWindow box = MessageBoxWindow::WaitFor(fixture_.process.Id());
    EXPECT_THROW(box.Press(IDYES), DriverError);
    EXPECT_THROW(box.Press(L"Retry"), DriverError);
    EXPECT_TRUE(box.IsOpen());
}

TEST(MessageBoxes, NoneWhileTheProgramShowsNone) {
    auto fixture = StartFixture();
    EXPECT_FALSE(MessageBoxWindow::Find(fixture.process.Id()));
    EXPECT_THROW(MessageBoxWindow::WaitFor(fixture.process.Id(), Milliseconds(60)), TimeoutError);
}

} // namespace
} // namespace qrv::drive::testing
