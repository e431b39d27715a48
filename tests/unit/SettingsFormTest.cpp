// The dialog's controls and the couplings between them.
#include <gtest/gtest.h>

#include "FakeRegistry.h"
#include "settings/SettingsForm.h"

namespace brumo {
namespace {

struct SettingsFixture : MessageSink {
    test::FakeRegistry registry;
    Language language;
    void ShowMessage(const std::string& text, MessageStyle) override { ADD_FAILURE() << text; }
    SettingsForm Form() { return SettingsForm(SettingsFormContext{registry, language, *this}); }
};

// A check box holds 0..2; a bar rounds halves to even and holds its range.
TEST(Forms, ValuesAreHeldInRangeAndRounded) {
    forms::ScrollBar bar(-99, -1, 1, 1, -1);
    forms::CheckBox box(forms::CheckBox::kChecked);
    const std::tuple<double, int, int> cases[] = {{7, -1, 2}, {-13.5, -14, 0}, {-12.5, -12, 0}};
    for (const auto& [value, barValue, checkValue] : cases) {
        bar.SetValue(value);
        box.SetValue(value);
        EXPECT_EQ((std::pair{bar.Value(), box.Value()}), (std::pair{barValue, checkValue}))
            << value;
    }
}

// Cancel restores the stored language and its menu check.
TEST(SettingsForm, LanguageMenuAndCancel) {
    SettingsFixture f;
    f.registry.Preset(SectionKeyPath("Settings"), "Language", "2");
    SettingsForm form = f.Form();
    form.MnuItalian.Click();
    form.LoadSettings();
    EXPECT_EQ(f.language.GetLanguage(), kEnglish);
    EXPECT_TRUE(form.MnuEnglish.Checked && !form.MnuGerman.Checked && !form.MnuItalian.Checked);
}

// An image background unchecks snow on icons and keeps it unchecked.
TEST(SettingsForm, ImageBackgroundUnchecksSnowOnIcons) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    form.OptBackgroundImage.SetValue(true);
    EXPECT_FALSE(form.ChkSnowOnIcons.Enabled);
    form.OptBackgroundDesktop.SetValue(true);
    EXPECT_TRUE(form.ChkSnowOnIcons.Enabled);
    EXPECT_EQ(form.ToRecord().SnowOnIcons, 0);
}

// White snow on black: a size 2 block is 3 x 3 in the middle of the 48 x 48 preview.
TEST(SettingsForm, FlakePreviewOfABlock) {
    SettingsFixture f;
    SettingsRecord record;
    record.SnowballType = kFlakeTypeBlock;
    record.SnowballSize = 2;
    SettingsForm form = f.Form();
    form.LoadFrom(record);
    const Surface& block = form.picFlaketype.Picture;
    for (const auto& [x, y, pixel] : std::vector<std::tuple<int, int, Pixel>>{
             {21, 22, 0}, {22, 22, 0xFFFFFF}, {24, 24, 0xFFFFFF}, {25, 24, 0}})
        EXPECT_EQ(block.At(x, y), pixel) << x << "," << y;
}

}  // namespace
}  // namespace brumo
