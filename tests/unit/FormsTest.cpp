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

TEST(Forms, ValuesAreHeldInRangeAndOnlyChangesFire) {
    ScrollBar bar(-99, -1, 1, 1, -1);
    CheckBox box(CheckBox::kChecked);
    ListBox list;
    list.Items = {"a", "b", "c"};
    int changes = 0, scrolls = 0, clicks = 0, picks = 0;
    bar.Change = [&] { ++changes; };
    bar.Scroll = [&] { ++scrolls; };
    box.Click = [&] { ++clicks; };
    list.Click = [&] { ++picks; };
    const std::tuple<double, int, int, int> cases[] = {// set to, bar value, check value, list index
                                                       {-1, -1, 0, 0},      {7, -1, 2, 2},
                                                       {-13.5, -14, 0, -1}, {-12.5, -12, 0, -1},
                                                       {-1e9, -99, 0, -1},  {1.5, -1, 2, 2}};
    for (const auto& [value, barValue, checkValue, index] : cases) {
        bar.SetValue(value);
        box.SetValue(value);
        list.SetListIndex(value + 1);
        EXPECT_EQ(bar.Value(), barValue) << value;
        EXPECT_EQ(box.Value(), checkValue) << value;
        EXPECT_EQ(list.ListIndex(), index) << value;
    }
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(picks, 4);
    bar.ScrollTo(-98);
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(changes, 4);
}

TEST(Forms, OptionButtonsOfAGroupExcludeEachOtherTextFiresOnChange) {
    OptionButton a, b, c;
    OptionButton::Group({&a, &b, &c}, a);
    int clicksA = 0, clicksB = 0;
    a.Click = [&] { ++clicksA; };
    b.Click = [&] { ++clicksB; };
    a.SetValue(true);
    b.SetValue(true);
    EXPECT_TRUE(b.Value());
    EXPECT_FALSE(a.Value() || c.Value());
    EXPECT_EQ(clicksA, 0);  // neither staying nor losing the selection fires
    EXPECT_EQ(clicksB, 1);
    TextBox text("15");
    int edits = 0;
    text.Change = [&] { ++edits; };
    text.SetText("15");
    text.SetText("16");
    EXPECT_EQ(edits, 1);
}

}  // namespace
}  // namespace brumo::forms
