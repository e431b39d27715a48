// The control models: a different value fires the handler, the same value
// does not, and ranges hold.
#include <gtest/gtest.h>

#include "forms/CheckBox.h"
#include "forms/ListBox.h"
#include "forms/OptionButton.h"
#include "forms/ScrollBar.h"
#include "forms/TextBox.h"

namespace brumo::forms {
namespace {

TEST(Forms, ScrollBarFiresOnChangeAndHoldsItsRange) {
    ScrollBar bar(-99, -1, 1, 1, -1);
    int changes = 0, scrolls = 0;
    bar.Change = [&] { ++changes; };
    bar.Scroll = [&] { ++scrolls; };
    bar.SetValue(-1);
    EXPECT_EQ(changes, 0);
    bar.SetValue(-50);
    EXPECT_EQ(bar.Value(), -50);
    bar.SetValue(7);
    EXPECT_EQ(bar.Value(), -1);
    bar.SetValue(-1e9);
    EXPECT_EQ(bar.Value(), -99);
    EXPECT_EQ(changes, 3);
    bar.ScrollTo(-98);
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(changes, 3);
}

TEST(Forms, CheckBoxTakesZeroToTwo) {
    CheckBox box(CheckBox::kChecked);
    int clicks = 0;
    box.Click = [&] { ++clicks; };
    box.SetValue(1);
    EXPECT_EQ(clicks, 0);
    box.SetValue(5);
    EXPECT_EQ(box.Value(), 2);
    box.SetValue(-3);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(clicks, 2);
}

TEST(Forms, OptionButtonsOfAGroupExcludeEachOther) {
    OptionButton a, b, c;
    OptionButton::Group({&a, &b, &c}, a);
    int clicksA = 0, clicksB = 0;
    a.Click = [&] { ++clicksA; };
    b.Click = [&] { ++clicksB; };
    EXPECT_TRUE(a.Value());
    a.SetValue(true);
    EXPECT_EQ(clicksA, 0);
    b.SetValue(true);
    EXPECT_TRUE(b.Value());
    EXPECT_FALSE(a.Value());
    EXPECT_FALSE(c.Value());
    EXPECT_EQ(clicksB, 1);
    EXPECT_EQ(clicksA, 0);  // losing the selection fires nothing
}

TEST(Forms, TextBoxAndListFireOnlyOnDifferentValues) {
    TextBox text("15");
    int changes = 0;
    text.Change = [&] { ++changes; };
    text.SetText("15");
    text.SetText("16");
    EXPECT_EQ(changes, 1);

    ListBox list;
    list.Items = {"a", "b", "c"};
    int clicks = 0;
    list.Click = [&] { ++clicks; };
    EXPECT_EQ(list.ListIndex(), ListBox::kNone);
    list.SetListIndex(1);
    list.SetListIndex(1);
    list.SetListIndex(9);
    EXPECT_EQ(list.ListIndex(), 2);
    list.SetListIndex(-7);
    EXPECT_EQ(list.ListIndex(), ListBox::kNone);
    EXPECT_EQ(clicks, 3);
}

}  // namespace
}  // namespace brumo::forms
