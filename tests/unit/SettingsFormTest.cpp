// Loading and saving the settings through the dialog's controls, the
// couplings between controls, and the values the engine receives.
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
    bool alphaBlend = true;

    void Store(const char* name, const char* value) {
        registry.Preset(kSettingsKeyPath, name, value);
    }
    SettingsFormContext Context() {
        return SettingsFormContext{registry, language, sink, alphaBlend};
    }
    EngineValues Apply(ColorRef* back = nullptr) {
        EngineValues values;
        ColorRef color = 0x123456;
        ApplySettingsToEngine(Context(), values, color);
        if (back != nullptr) *back = color;
        return values;
    }
    std::vector<std::string> Names(const char* verb) const {
        std::vector<std::string> names;
        for (const std::string& line : registry.Calls(verb)) {
            const auto start = line.find(' ') + 1;
            names.push_back(line.substr(start, line.find_first_of("= ", start) - start));
        }
        return names;
    }
};

TEST(LoadSettings, AnEmptyRegistryGivesEveryDefault) {
    SettingsFixture f;
    ColorRef back = 1;
    const EngineValues v = f.Apply(&back);
    EXPECT_EQ(f.language.GetLanguage(), 1);
    EXPECT_EQ(v.SnowballColor, 16777215u);
    EXPECT_EQ(v.FlakeCellWidth, 4);
    EXPECT_EQ(v.FlakeCellHeight, 4);
    EXPECT_EQ(v.FallingDirection, 0);
    EXPECT_EQ(v.Transparency, 192);
    EXPECT_EQ(v.SecondaryAlpha, 128);
    EXPECT_EQ(v.Turbulence, 4);
    EXPECT_EQ(v.CountSnowballs, 300);
    EXPECT_EQ(v.Framerate, 20);
    EXPECT_EQ(v.RestartMin, 15);
    EXPECT_FALSE(v.BackgroundImageEnabled);
    EXPECT_EQ(v.BackgroundImage, "");
    EXPECT_TRUE(v.SnowOnIcons);
    EXPECT_EQ(v.SnowballType, 1);
    EXPECT_EQ(v.BackgroundSound, "");
    EXPECT_TRUE(v.LoopSound);
    EXPECT_TRUE(v.MaximizeBackground);
    EXPECT_EQ(back, 0u);
    EXPECT_EQ(v.SizeBackground, 100);
    EXPECT_FALSE(v.SnowAlwaysFromSky);
    EXPECT_FALSE(v.ShowFPS);
    EXPECT_FALSE(f.registry.HasKey(kSettingsKeyPath));  // loading never creates keys
    EXPECT_EQ(f.registry.OpenKeys(), 0u);
}

TEST(LoadSettings, ReadsInItsOrderAndSavingWritesInItsOrder) {
    SettingsFixture f;
    f.Store("Language", "1");
    SettingsForm form(f.Context());
    const std::vector<std::string> reads{
        "Language",        "SnowballColor",      "FallingDirection",
        "Transparency",    "CountSnowballs",     "Framerate",
        "UseSystemTimer",  "SnowballSize",       "Turbulence",
        "SnowOnIcons",     "RestartMin",         "BackgroundImageEnabled",
        "BackgroundImage", "SnowballType",       "BackgroundSound",
        "LoopSound",       "MaximizeBackground", "ColorBackground",
        "SizeBackground",  "SnowAlwaysFromSky",  "ShowFPS"};
    EXPECT_EQ(f.Names("query"), reads);
    form.SaveSettings();
    const std::vector<std::string> writes{"Language",
                                          "SnowballColor",
                                          "SnowballSize",
                                          "FallingDirection",
                                          "Transparency",
                                          "Turbulence",
                                          "CountSnowballs",
                                          "Framerate",
                                          "UseSystemTimer",
                                          "SnowAlwaysFromSky",
                                          "ShowFPS",
                                          "SnowOnIcons",
                                          "RestartMin",
                                          "BackgroundImageEnabled",
                                          "BackgroundImage",
                                          "SnowballType",
                                          "BackgroundSound",
                                          "LoopSound",
                                          "MaximizeBackground",
                                          "ColorBackground",
                                          "SizeBackground",
                                          "Sleep"};
    EXPECT_EQ(f.Names("set"), writes);
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "Sleep"), "0");
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "RestartMin"), "15");
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "SnowballSize"), "3");
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "SnowballColor"), "16777215");
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "BackgroundImage"), std::string(1, '\0'));
    EXPECT_EQ(f.registry.OpenKeys(), 0u);
}

TEST(LoadSettings, StoredValuesRoundTrip) {
    SettingsFixture f;
    f.Store("Language", "3");
    f.Store("SnowballColor", "-16777216");
    f.Store("FallingDirection", "-2");
    f.Store("CountSnowballs", "1000");
    f.Store("SnowballType", "3");
    f.Store("BackgroundSound", "C:\\music\\snow.mp3");
    f.Store("ColorBackground", "255");
    {
        SettingsForm form(f.Context());
        EXPECT_TRUE(form.MnuItalian.Checked);
        EXPECT_FALSE(form.MnuGerman.Checked);
        EXPECT_EQ(form.labelCountSnowballs.Caption, "1000");
        form.SaveSettings();
    }
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "Language"), "3");
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "SnowballColor"), "-16777216");
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "CountSnowballs"), "1000");
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "BackgroundSound"), "C:\\music\\snow.mp3");
    const EngineValues v = f.Apply();
    EXPECT_EQ(v.SnowballColor, 0xFF000000u);
    EXPECT_EQ(v.FallingDirection, -2);
    EXPECT_EQ(v.SnowballType, 3);
}

TEST(LoadSettings, LanguageIsExactlyOneTwoOrThree) {
    for (const auto& [stored, expected] : std::vector<std::pair<const char*, int>>{
             {"2.0", 2}, {"3", 3}, {"7", 1}, {"2.5", 1}, {"abc", 1}, {"", 1}}) {
        SettingsFixture f;
        f.Store("Language", stored);
        SettingsForm form(f.Context());
        EXPECT_EQ(f.language.GetLanguage(), expected) << stored;
        EXPECT_EQ(form.MnuEnglish.Checked, expected == 2);
    }
}

TEST(LoadSettings, LoadingAgainRestoresTheStoredLanguage) {
    SettingsFixture f;
    f.Store("Language", "2");
    SettingsForm form(f.Context());
    f.language.SetLanguage(3);  // the user picked Italian, then cancels
    form.MnuItalian.Checked = true;
    form.LoadSettings();
    EXPECT_EQ(f.language.GetLanguage(), 2);
    EXPECT_TRUE(form.MnuEnglish.Checked);
    EXPECT_FALSE(form.MnuItalian.Checked);
}

TEST(LoadSettings, MissingFromSkyUnchecksTheBoxThatStartsChecked) {
    SettingsFixture f;
    f.Store("Language", "2");
    SettingsForm form(f.Context());
    EXPECT_EQ(form.ChkSnowAlwaysFromSky.Value(), 0);
    f.Store("SnowAlwaysFromSky", "1");
    f.Store("ShowFPS", "1");
    form.LoadSettings();
    EXPECT_EQ(form.ChkSnowAlwaysFromSky.Value(), 1);
    EXPECT_EQ(form.ChkShowFPS.Value(), 1);
}

TEST(LoadSettings, AnImageBackgroundTakesSnowOffTheIcons) {
    SettingsFixture f;
    f.Store("SnowOnIcons", "1");
    f.Store("BackgroundImageEnabled", "1");
    f.Store("BackgroundImage", "C:\\pictures\\winter.jpg");
    EXPECT_FALSE(f.Apply().SnowOnIcons);
    SettingsForm form(f.Context());
    EXPECT_FALSE(form.ChkSnowOnIcons.Enabled);
    EXPECT_TRUE(form.TxBackgroundImage.Enabled);
    EXPECT_TRUE(form.CmdChooseBackgroundImage.Enabled);
    form.SaveSettings();
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "SnowOnIcons"), "0");
    EXPECT_EQ(f.registry.Stored(kSettingsKeyPath, "BackgroundImageEnabled"), "1");

    form.OptBackgroundDesktop.SetValue(true);  // back to the desktop: enabled, still unchecked
    EXPECT_TRUE(form.ChkSnowOnIcons.Enabled);
    EXPECT_EQ(form.ChkSnowOnIcons.Value(), 0);
    EXPECT_FALSE(form.TxBackgroundImage.Enabled);
    EXPECT_EQ(form.TxBackgroundImage.BackColor, forms::kButtonFace);
}

TEST(RestartMinutes, TextAndBarKeepEachOtherWithinOneToNinetyNine) {
    SettingsFixture f;
    f.Store("RestartMin", "12.5");
    EXPECT_EQ(f.Apply().RestartMin, 12);

    SettingsForm form(f.Context());
    EXPECT_EQ(form.VScrollRestartMin.Value(), -12);
    form.TxRestartMin.SetText("a");
    EXPECT_EQ(form.TxRestartMin.Text(), "1");
    EXPECT_EQ(form.VScrollRestartMin.Value(), -1);
    form.TxRestartMin.SetText("0");
    EXPECT_EQ(form.TxRestartMin.Text(), "1");
    form.TxRestartMin.SetText("150");
    EXPECT_EQ(form.TxRestartMin.Text(), "99");
    EXPECT_EQ(form.VScrollRestartMin.Value(), -99);
    form.VScrollRestartMin.SetValue(-42);
    EXPECT_EQ(form.TxRestartMin.Text(), "42");
    form.VScrollRestartMin.SetValue(form.VScrollRestartMin.Value() - 1);  // the up arrow
    EXPECT_EQ(form.TxRestartMin.Text(), "43");
    form.VScrollRestartMin.SetValue(-120);
    EXPECT_EQ(form.TxRestartMin.Text(), "99");

    SettingsFixture g;
    g.Store("RestartMin", "x");
    SettingsForm corrected(g.Context());
    EXPECT_EQ(corrected.TxRestartMin.Text(), "1");
}

TEST(LoadSettings, NumbersAControlCannotTakeAreHeldInItsRange) {
    SettingsFixture f;
    f.Store("CountSnowballs", "70000");
    f.Store("Transparency", "10");
    f.Store("SnowballSize", "12");
    f.Store("SnowballType", "-3");
    f.Store("UseSystemTimer", "5");
    f.Store("Turbulence", "&H1F");
    f.Store("Framerate", "0");
    f.Store("SizeBackground", "150abc");
    SettingsForm form(f.Context());
    EXPECT_EQ(form.HScrollCountSnowballs.Value(), 5000);
    EXPECT_EQ(form.HScrollTransparency.Value(), 25);
    EXPECT_EQ(form.CmboSnowSize.ListIndex(), 7);
    EXPECT_EQ(form.CmboFlaketype.ListIndex(), 0);
    EXPECT_EQ(form.ChkUseSystemTimer.Value(), 2);
    EXPECT_EQ(form.HScrollTurbulence.Value(), 9);
    EXPECT_EQ(form.HScrollFramerate.Value(), 1);
    EXPECT_EQ(form.TxSize.Text(), "150");
    f.Store("SizeBackground", "abc");
    form.LoadSettings();
    EXPECT_EQ(form.TxSize.Text(), "0");
}

TEST(ApplySettings, SettledSnowOpacity) {
    for (const auto& [stored, transparency, secondary] :
         std::vector<std::tuple<const char*, int, int>>{{"255", 255, 255},
                                                        {"192", 192, 128},
                                                        {"129", 129, 65},
                                                        {"128", 128, 128},
                                                        {"100", 100, 100}}) {
        SettingsFixture f;
        f.Store("Transparency", stored);
        const EngineValues v = f.Apply();
        EXPECT_EQ(v.Transparency, transparency) << stored;
        EXPECT_EQ(v.SecondaryAlpha, secondary) << stored;
    }
    SettingsFixture noBlend;
    noBlend.alphaBlend = false;
    noBlend.Store("Transparency", "100");
    const EngineValues v = noBlend.Apply();
    EXPECT_EQ(v.Transparency, 255);
    EXPECT_EQ(v.SecondaryAlpha, 255);
}

TEST(ImageSize, MaximisedDisablesTheSizeBoxProportionalEnablesIt) {
    SettingsFixture f;
    SettingsForm form(f.Context());
    EXPECT_TRUE(form.OptMaxi.Value());
    EXPECT_FALSE(form.TxSize.Enabled);
    EXPECT_FALSE(form.Label20.Enabled);
    f.Store("MaximizeBackground", "0");
    form.LoadSettings();
    EXPECT_TRUE(form.OptProp.Value());
    EXPECT_FALSE(form.OptMaxi.Value());
    EXPECT_TRUE(form.TxSize.Enabled);
    EXPECT_EQ(form.TxSize.BackColor, forms::kWindowBackground);
    EXPECT_TRUE(form.Label21.Enabled);
    EXPECT_FALSE(f.Apply().MaximizeBackground);
}

TEST(FlakePreview, BlockUsesTheSizeListPicturesTheTransparency) {
    SettingsFixture f;
    f.Store("SnowballType", "7");
    f.Store("SnowballSize", "2");
    SettingsForm form(f.Context());
    EXPECT_TRUE(form.CmboSnowSize.Enabled);
    EXPECT_FALSE(form.HScrollTransparency.Enabled);
    EXPECT_FALSE(form.Label13.Enabled);
    // White snow on black: a 3 x 3 block in the middle of the 48 x 48 preview.
    const Surface& preview = form.picFlaketype.Picture;
    EXPECT_EQ(preview.At(0, 0), 0u);
    EXPECT_EQ(preview.At(22, 22), 0xFFFFFFu);
    EXPECT_EQ(preview.At(24, 24), 0xFFFFFFu);
    EXPECT_EQ(preview.At(25, 24), 0u);
    EXPECT_EQ(preview.At(21, 22), 0u);

    form.CmboFlaketype.SetListIndex(4);
    EXPECT_FALSE(form.CmboSnowSize.Enabled);
    EXPECT_EQ(form.CmboSnowSize.BackColor, forms::kButtonFace);
    EXPECT_TRUE(form.HScrollTransparency.Enabled);
    EXPECT_TRUE(form.Label14.Enabled);
    EXPECT_TRUE(f.sink.messages.empty());

    SettingsFixture g;
    g.alphaBlend = false;
    g.Store("SnowballColor", "0");
    SettingsForm noBlend(g.Context());
    EXPECT_TRUE(noBlend.HScrollTransparency.Enabled);
    EXPECT_FALSE(noBlend.Label13.Enabled);
    EXPECT_FALSE(noBlend.Label15.Enabled);
    EXPECT_EQ(noBlend.picFlaketype.Picture.At(0, 0), 0xFFFFFFu);  // black snow on white
    int black = 0;
    for (std::int32_t y = 0; y < kFlakePreviewSize; ++y)
        for (std::int32_t x = 0; x < kFlakePreviewSize; ++x)
            black += noBlend.picFlaketype.Picture.At(x, y) == 0;
    EXPECT_EQ(black, 44);  // "Small and round" has 44 flake pixels
}

TEST(StartScreenSaver, FullScreenTakesTheStoredSettings) {
    test::SaverFixture f;
    f.system.stored.CountSnowballs = 40;
    f.system.stored.RestartMin = 9;
    f.system.stored.ColorBackground = 0x00FF00;
    f.form.StartScreenSaver(false, false);
    EXPECT_EQ(f.engine.Flakes().size(), 41u);
    EXPECT_EQ(f.image.BackColor(), 0x00FF00u);

    test::SaverFixture p;
    p.form.StartScreenSaver(true, false);
    EXPECT_FALSE(p.log.Has("settings"));
    EXPECT_EQ(p.engine.Flakes().size(), 201u);
}

}  // namespace
}  // namespace brumo
