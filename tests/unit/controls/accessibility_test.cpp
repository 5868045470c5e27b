#include "controls/accessibility.h"

#include <gtest/gtest.h>

namespace qrv::accessibility {
namespace {

TEST(Accessibility, ACheckListEntryTellsItsMarkItsGreyingAndWhereTheUserIs) {
    EXPECT_EQ(StatesOf(TCheckListEntry{}), kSelectable | kFocusable);
    EXPECT_EQ(DefaultActionOf(TCheckListEntry{}), u"Check");

    const TCheckListEntry checked{.checked = true, .selected = true, .focused = true};
    EXPECT_EQ(StatesOf(checked), kChecked | kSelected | kFocused | kSelectable | kFocusable);
    EXPECT_EQ(DefaultActionOf(checked), u"Uncheck");

    // A greyed entry keeps its mark but offers no action: the user cannot toggle it.
    const TCheckListEntry greyed{.checked = true, .enabled = false, .visible = false};
    EXPECT_EQ(StatesOf(greyed),
              kChecked | kUnavailable | kInvisible | kOffscreen | kSelectable | kFocusable);
    EXPECT_EQ(DefaultActionOf(greyed), std::nullopt);
}

TEST(Accessibility, ButtonsAndTextsTellTheirStates) {
    EXPECT_EQ(StatesOf(TPushButton{}), kFocusable);
    EXPECT_EQ(StatesOf(TPushButton{.focused = true, .pressed = true, .hot = true}),
              kFocusable | kFocused | kPressed | kHotTracked);
    // A disabled button can neither take the focus nor be pressed.
    EXPECT_EQ(StatesOf(TPushButton{.enabled = false, .focused = true, .pressed = true}),
              kUnavailable);
    EXPECT_EQ(StatesOf(TPushButton{.enabled = false, .visible = false}), kUnavailable | kInvisible);
    EXPECT_EQ(StatesOf(TStaticText{}), kReadOnly);
    EXPECT_EQ(StatesOf(TStaticText{.visible = false}), kReadOnly | kInvisible);
}

TEST(Accessibility, ALabelNamesWithoutItsAccessKeyMarks) {
    EXPECT_EQ(NameFromLabel(u"Available CAD formats"), u"Available CAD formats");
    EXPECT_EQ(NameFromLabel(u"&Subfolders"), u"Subfolders");
    EXPECT_EQ(NameFromLabel(u"Save && close"), u"Save & close");
    EXPECT_EQ(NameFromLabel(u"Ends with &"), u"Ends with &");
    EXPECT_EQ(NameFromLabel(u""), u"");
}

TEST(Accessibility, ChildNumbersStandForEntriesFromOne) {
    EXPECT_EQ(EntryOfChild(kSelf, 3), std::nullopt);
    EXPECT_EQ(EntryOfChild(1, 3), 0);
    EXPECT_EQ(EntryOfChild(3, 3), 2);
    EXPECT_EQ(EntryOfChild(4, 3), std::nullopt);
    EXPECT_EQ(EntryOfChild(-1, 3), std::nullopt);
    EXPECT_EQ(ChildOfEntry(2), 3);
}

} // namespace
} // namespace qrv::accessibility
