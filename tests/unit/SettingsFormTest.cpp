// The dialog's controls, the couplings between them, and the texts of the
// languages it switches between.
#include <gtest/gtest.h>

#include "FakeRegistry.h"
#include "SaverFakes.h"
#include "settings/SettingsForm.h"

namespace brumo {
namespace {

struct SettingsFixture : MessageSink {
    test::FakeRegistry registry;
    Language language;
    std::vector<std::string> messages;
    void ShowMessage(const std::string& text, MessageStyle) override { messages.push_back(text); }
    SettingsForm Form(bool alphaBlend = true) {
        return SettingsForm(SettingsFormContext{registry, language, *this, alphaBlend});
    }
};

TEST(Language, LooksTextsUpInTheCurrentLanguageBlock) {
    Language language;
    EXPECT_EQ(language.GetText(73), "");  // nothing chosen yet
    const std::tuple<std::int32_t, std::int32_t, const char*> cases[] = {
        {kGerman, 73, "Brumo - Einstellungen"},
        {kEnglish, 73, "Brumo - settings"},
        {kItalian, 73, "Brumo - impostazioni"},
        {kEnglish, 1, " Snowflake settings: "},
        {kEnglish, 151, "Don't check again (today)"},
        {kEnglish, 152, ""},
        {kEnglish, -1, ""},
        {4, 73, ""},
        {INT32_MAX, 73, ""},
        {INT32_MIN, INT32_MIN, ""}};
    for (const auto& [chosen, number, text] : cases) {
        language.SetLanguage(chosen);
        EXPECT_EQ(language.GetText(number), text) << chosen << "/" << number;
    }
}

TEST(Forms, ValuesAreHeldInRangeRoundedAndOnlyChangesFire) {
    forms::ScrollBar bar(-99, -1, 1, 1, -1);
    forms::CheckBox box(forms::CheckBox::kChecked);
    forms::ListBox list;
    list.Items = {"a", "b", "c"};
    int changes = 0, scrolls = 0, clicks = 0, picks = 0;
    bar.Change = [&] { ++changes; };
    bar.Scroll = [&] { ++scrolls; };
    box.Click = [&] { ++clicks; };
    list.Click = [&] { ++picks; };
    const std::tuple<double, int, int, int> cases[] = {
        // set to, bar value, check value, list index (set to + 1)
        {-1, -1, 0, 0},      {7, -1, 2, 2},      {-13.5, -14, 0, -1},
        {-12.5, -12, 0, -1}, {-1e9, -99, 0, -1}, {1.5, -1, 2, 2}};
    for (const auto& [value, barValue, checkValue, index] : cases) {
        bar.SetValue(value);
        box.SetValue(value);
        list.SetListIndex(value + 1);
        EXPECT_EQ((std::tuple{bar.Value(), box.Value(), list.ListIndex()}),
                  (std::tuple{barValue, checkValue, index}))
            << value;
    }
    bar.ScrollTo(-98);
    EXPECT_EQ((std::vector<int>{changes, scrolls, clicks, picks}), (std::vector<int>{4, 1, 4, 4}));
}

TEST(SettingsForm, LanguageMenuCancelAndTheRestartTextAndBar) {
    SettingsFixture f;
    f.registry.Preset(SectionKeyPath("Settings"), "Language", "2");
    SettingsForm form = f.Form();
    SettingsRecord english;
    english.Language = kEnglish;
    EXPECT_EQ(form.ToRecord(), english);
    form.MnuItalian.Click();
    form.MnuGerman.Click();
    EXPECT_EQ(form.ToRecord().Language, kGerman);
    form.LoadSettings();  // Cancel restores the stored language
    EXPECT_EQ(f.language.GetLanguage(), kEnglish);
    EXPECT_TRUE(form.MnuEnglish.Checked && !form.MnuGerman.Checked && !form.MnuItalian.Checked);

    // The bar rewrites the text only when it moves.
    const std::pair<const char*, const char*> typed[] = {
        {"a", "1"},   {"0", "1"},     {"150", "99"}, {"99.5", "99"},
        {"0.5", "1"}, {"13.5", "14"}, {"12", "12"},  {"12.5", "12.5"}};
    for (const auto& [text, shown] : typed) {
        form.TxRestartMin.SetText(text);
        EXPECT_EQ(form.TxRestartMin.Text(), shown) << text;
        EXPECT_EQ(form.VScrollRestartMin.Value(), -RestartMinutes(shown)) << text;
    }
    form.VScrollRestartMin.SetValue(form.VScrollRestartMin.Value() - 1);  // the up arrow
    EXPECT_EQ(form.TxRestartMin.Text(), "13");
}

TEST(SettingsForm, ImageSizeModeAndBackgroundSource) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    EXPECT_FALSE(form.TxSize.Enabled || form.Label20.Enabled || form.Label21.Enabled);
    form.OptProp.SetValue(true);
    EXPECT_TRUE(form.TxSize.Enabled && form.Label20.Enabled && form.Label21.Enabled);
    EXPECT_EQ(form.TxSize.BackColor, forms::kWindowBackground);

    EXPECT_FALSE(form.TxBackgroundImage.Enabled || form.CmdChooseBackgroundImage.Enabled);
    form.OptBackgroundImage.SetValue(true);
    EXPECT_TRUE(form.TxBackgroundImage.Enabled && form.CmdChooseBackgroundImage.Enabled);
    EXPECT_FALSE(form.ChkSnowOnIcons.Enabled);
    EXPECT_EQ(form.ToRecord().SnowOnIcons, 0);
    form.OptBackgroundDesktop.SetValue(true);  // enabled again, still unchecked
    EXPECT_TRUE(form.ChkSnowOnIcons.Enabled);
    EXPECT_EQ(form.ToRecord().SnowOnIcons, 0);
    EXPECT_EQ(form.TxBackgroundImage.BackColor, forms::kButtonFace);
}

TEST(SettingsForm, FlakePreviewAndTheControlsEachTypeUses) {
    SettingsFixture f;
    SettingsRecord record;
    record.SnowballType = kFlakeTypeBlock;
    record.SnowballSize = 2;
    SettingsForm form = f.Form();
    form.LoadFrom(record);
    EXPECT_TRUE(form.CmboSnowSize.Enabled && form.Label3.Enabled);
    EXPECT_FALSE(form.HScrollTransparency.Enabled || form.Label13.Enabled);
    // White snow on black: a 3 x 3 block in the middle of the 48 x 48 preview.
    const Surface& block = form.picFlaketype.Picture;
    for (const auto& [x, y, pixel] : std::vector<std::tuple<int, int, Pixel>>{
             {0, 0, 0}, {22, 22, 0xFFFFFF}, {24, 24, 0xFFFFFF}, {25, 24, 0}, {21, 22, 0}})
        EXPECT_EQ(block.At(x, y), pixel) << x << "," << y;
    form.CmboFlaketype.SetListIndex(4);
    EXPECT_FALSE(form.CmboSnowSize.Enabled);
    EXPECT_TRUE(form.HScrollTransparency.Enabled && form.Label14.Enabled);

    record.SnowballType = 1;
    record.SnowballColor = kBlack;
    SettingsForm noBlend = f.Form(false);
    noBlend.LoadFrom(record);
    EXPECT_TRUE(noBlend.HScrollTransparency.Enabled);
    EXPECT_FALSE(noBlend.Label13.Enabled || noBlend.Label15.Enabled);
    const Surface& flake = noBlend.picFlaketype.Picture;
    int black = 0;  // black snow on white; "Small and round" has 44 flake pixels
    for (std::int32_t y = 0; y < kFlakePreviewSize; ++y)
        for (std::int32_t x = 0; x < kFlakePreviewSize; ++x) black += flake.At(x, y) == 0;
    EXPECT_EQ(black, 44);
    EXPECT_EQ(flake.At(0, 0), 0xFFFFFFu);
    EXPECT_TRUE(f.messages.empty());
}

}  // namespace
}  // namespace brumo
