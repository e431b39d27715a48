// The settings dialog as an editor over a record: what it fills in, what it
// gives back, and the couplings between its controls.
#include <gtest/gtest.h>

#include "FakeRegistry.h"
#include "SaverFakes.h"
#include "settings/SettingsForm.h"

namespace brumo {
namespace {

class RecordingSink : public MessageSink {
  public:
    std::vector<std::string> messages;
    void ShowMessage(const std::string& text, MessageStyle) override { messages.push_back(text); }
};

struct SettingsFixture {
    test::FakeRegistry registry;
    Language language;
    RecordingSink sink;
    SettingsForm Form(bool alphaBlend = true) {
        return SettingsForm(SettingsFormContext{registry, language, sink, alphaBlend});
    }
};

TEST(SettingsForm, GivesBackTheRecordItWasFilledFrom) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    EXPECT_EQ(form.ChkSnowAlwaysFromSky.Value(), 0);  // starts checked, unchecked by loading
    EXPECT_EQ(form.ToRecord(), SettingsRecord());
    SettingsRecord record;
    record.Language = 3;
    record.SnowballColor = 0xFF000000;
    record.SnowballSize = 6;
    record.FallingDirection = -2;
    record.Transparency = 25;
    record.Turbulence = 0;
    record.CountSnowballs = 5000;
    record.Framerate = 1;
    record.UseSystemTimer = 2;
    record.SnowAlwaysFromSky = 1;
    record.ShowFPS = 1;
    record.SnowOnIcons = 0;
    record.RestartMin = "42";
    record.BackgroundImage = "C:\\Снег.jpg";
    record.SnowballType = 7;
    record.BackgroundSound = "雪.mp3";
    record.LoopSound = 0;
    record.MaximizeBackground = false;
    record.ColorBackground = 255;
    record.SizeBackground = "12.5";
    form.LoadFrom(record);
    EXPECT_EQ(form.ToRecord(), record);
    EXPECT_EQ(f.language.GetLanguage(), 3);
    EXPECT_EQ(form.VScrollRestartMin.Value(), -42);
    EXPECT_EQ(form.labelCountSnowballs.Caption, "5000");
    EXPECT_EQ(form.labelFramerate.Caption, "1");
    // The image option clears the icon box.
    record.BackgroundImageEnabled = true;
    record.SnowOnIcons = 1;
    form.LoadFrom(record);
    EXPECT_EQ(form.ToRecord().SnowOnIcons, 0);
}

TEST(SettingsForm, LanguageMenuAndCancel) {
    SettingsFixture f;
    f.registry.Preset(SectionKeyPath("Settings"), "Language", "2");
    SettingsForm form = f.Form();
    EXPECT_TRUE(form.MnuEnglish.Checked);
    form.MnuItalian.Click();
    EXPECT_EQ(f.language.GetLanguage(), 3);
    EXPECT_EQ(form.ToRecord().Language, 3);
    EXPECT_FALSE(form.MnuEnglish.Checked);
    form.MnuGerman.Click();
    EXPECT_EQ(form.ToRecord().Language, 1);
    form.LoadSettings();  // Cancel restores the stored language
    EXPECT_EQ(f.language.GetLanguage(), 2);
    EXPECT_TRUE(form.MnuEnglish.Checked);
    EXPECT_FALSE(form.MnuGerman.Checked || form.MnuItalian.Checked);
}

TEST(SettingsForm, RestartTextAndBarKeepEachOtherWithinOneToNinetyNine) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    EXPECT_EQ(form.VScrollRestartMin.Value(), -15);
    const std::pair<const char*, const char*> typed[] = {
        {"a", "1"},     {"0", "1"},   {"150", "99"},   {"99.5", "99"}, {"0.5", "1"},
        {"13.5", "14"}, {"12", "12"}, {"12.5", "12.5"}};  // the bar rewrites the text only when it
                                                          // moves
    for (const auto& [text, shown] : typed) {
        form.TxRestartMin.SetText(text);
        EXPECT_EQ(form.TxRestartMin.Text(), shown) << text;
        EXPECT_EQ(form.VScrollRestartMin.Value(), -RestartMinutes(shown)) << text;
    }
    form.VScrollRestartMin.SetValue(-42);
    EXPECT_EQ(form.TxRestartMin.Text(), "42");
    form.VScrollRestartMin.SetValue(form.VScrollRestartMin.Value() - 1);  // the up arrow
    EXPECT_EQ(form.TxRestartMin.Text(), "43");
}

TEST(SettingsForm, ImageSizeModeAndBackgroundSource) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    EXPECT_FALSE(form.TxSize.Enabled || form.Label20.Enabled || form.Label21.Enabled);
    EXPECT_EQ(form.TxSize.BackColor, forms::kButtonFace);
    form.OptProp.SetValue(true);
    EXPECT_TRUE(form.TxSize.Enabled && form.Label20.Enabled && form.Label21.Enabled);
    EXPECT_EQ(form.TxSize.BackColor, forms::kWindowBackground);

    EXPECT_FALSE(form.TxBackgroundImage.Enabled || form.CmdChooseBackgroundImage.Enabled);
    form.OptBackgroundImage.SetValue(true);
    EXPECT_TRUE(form.TxBackgroundImage.Enabled && form.CmdChooseBackgroundImage.Enabled);
    EXPECT_EQ(form.TxBackgroundImage.BackColor, forms::kWindowBackground);
    EXPECT_FALSE(form.ChkSnowOnIcons.Enabled);
    EXPECT_EQ(form.ChkSnowOnIcons.Value(), 0);
    form.OptBackgroundDesktop.SetValue(true);  // enabled again, still unchecked
    EXPECT_TRUE(form.ChkSnowOnIcons.Enabled);
    EXPECT_EQ(form.ChkSnowOnIcons.Value(), 0);
    EXPECT_EQ(form.TxBackgroundImage.BackColor, forms::kButtonFace);
}

TEST(SettingsForm, FlakePreviewAndTheControlsEachTypeUses) {
    SettingsFixture f;
    SettingsRecord record;
    record.SnowballType = 7;
    record.SnowballSize = 2;
    SettingsForm form = f.Form();
    form.LoadFrom(record);
    EXPECT_TRUE(form.CmboSnowSize.Enabled && form.Label3.Enabled);
    EXPECT_FALSE(form.HScrollTransparency.Enabled || form.Label13.Enabled);
    // White snow on black: a 3 x 3 block in the middle of the 48 x 48 preview.
    const Surface& preview = form.picFlaketype.Picture;
    for (const auto& [x, y, pixel] : std::vector<std::tuple<int, int, Pixel>>{
             {0, 0, 0}, {22, 22, 0xFFFFFF}, {24, 24, 0xFFFFFF}, {25, 24, 0}, {21, 22, 0}})
        EXPECT_EQ(preview.At(x, y), pixel) << x << "," << y;
    form.CmboFlaketype.SetListIndex(4);
    EXPECT_FALSE(form.CmboSnowSize.Enabled);
    EXPECT_EQ(form.CmboSnowSize.BackColor, forms::kButtonFace);
    EXPECT_TRUE(form.HScrollTransparency.Enabled && form.Label14.Enabled);
    EXPECT_TRUE(f.sink.messages.empty());

    record.SnowballType = 1;
    record.SnowballColor = 0;
    SettingsForm noBlend = f.Form(false);
    noBlend.LoadFrom(record);
    EXPECT_TRUE(noBlend.HScrollTransparency.Enabled);
    EXPECT_FALSE(noBlend.Label13.Enabled || noBlend.Label15.Enabled);
    int black = 0;  // black snow on white; "Small and round" has 44 flake pixels
    for (std::int32_t y = 0; y < kFlakePreviewSize; ++y)
        for (std::int32_t x = 0; x < kFlakePreviewSize; ++x)
            black += noBlend.picFlaketype.Picture.At(x, y) == 0;
    EXPECT_EQ(black, 44);
    EXPECT_EQ(noBlend.picFlaketype.Picture.At(0, 0), 0xFFFFFFu);
}

TEST(StartScreenSaver, FullScreenTakesTheStoredSettingsThePreviewItsOwn) {
    test::SaverFixture f;
    EngineValues stored;
    SetPreviewValues(stored);
    stored.CountSnowballs = 40;
    f.formHost.stored = stored;
    f.formHost.storedBackColor = 0x00FF00;
    f.form.StartScreenSaver(false, false);
    EXPECT_EQ(f.engine.Flakes().size(), 41u);
    EXPECT_EQ(f.image.BackColor(), 0x00FF00u);
    test::SaverFixture p;
    p.form.StartScreenSaver(true, false);
    EXPECT_FALSE(p.log.Has("apply settings"));
    EXPECT_EQ(p.engine.Flakes().size(), 201u);
}

}  // namespace
}  // namespace brumo
