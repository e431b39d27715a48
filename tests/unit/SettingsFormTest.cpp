// The dialog's controls and the couplings between them.
#include <gtest/gtest.h>

#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "settings/SettingsForm.h"

namespace brumo {
namespace {

using Texts = std::vector<std::string>;

struct SettingsFixture : MessageSink {
    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost host;
    Texts shown;  // messages, "!" in front when critical
    bool alphaBlend = true;
    void ShowMessage(const std::string& text, MessageStyle style) override {
        shown.push_back((style == MessageStyle::Critical ? "!" : "") + text);
    }
    SettingsForm Form() {
        return SettingsForm(SettingsFormContext{registry, language, *this, host, alphaBlend});
    }
};

// A bar rounds halves to even.
TEST(Forms, ScrollBarRoundsHalvesToEven) {
    forms::ScrollBar bar(-99, -1, 1, 1, -1);
    for (const auto& [value, held] : {std::pair{-13.5, -14}, {-12.5, -12}}) {
        bar.SetValue(value);
        EXPECT_EQ(bar.Value(), held) << value;
    }
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

// Out of range, the text is corrected even where the bar does not move.
TEST(SettingsForm, RestartBoxHoldsOneToNinetyNine) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    for (const auto& [typed, shown, bar] :
         {std::tuple{"0", "1", -1}, {"a", "1", -1}, {"150", "99", -99}, {"120", "99", -99}}) {
        form.TxRestartMin.SetText(typed);
        EXPECT_EQ(form.TxRestartMin.Text(), shown) << typed;
        EXPECT_EQ(form.VScrollRestartMin.Value(), bar) << typed;
    }
}

// The preview's grey opposes the snow; a size 2 block is 3 x 3 in the middle
// of 48 x 48. Only Block flakes have a size, only picture flakes a
// transparency, whose labels need AlphaBlend (also after activation).
TEST(SettingsForm, FlakePreviewAndTheControlsItEnables) {
    for (const auto& [type, snow, alphaBlend, back, size, transparency, labels] : {
             std::tuple{kFlakeTypeBlock, kWhite, true, Pixel{0}, true, false, false},
             {kFlakeTypeBlock, kBlack, true, Pixel{0xFFFFFF}, true, false, false},
             {0, kWhite, true, Pixel{0}, false, true, true},
             {0, ColorRef{0x0000FF}, false, Pixel{0xAAAAAA}, false, true, false},
         }) {
        SettingsFixture f;
        f.alphaBlend = alphaBlend;
        SettingsForm form = f.Form();
        SettingsRecord record;
        record.SnowballType = type;
        record.SnowballColor = snow;
        record.SnowballSize = 2;
        form.LoadFrom(record);
        form.Form_Activate();
        const Surface& preview = form.picFlaketype.Picture;
        EXPECT_EQ(preview.At(0, 0), back) << type << " " << snow;
        if (type == kFlakeTypeBlock) {
            for (const auto& [x, y, in] :
                 {std::tuple{21, 22, false}, {22, 22, true}, {24, 24, true}, {25, 24, false}})
                EXPECT_EQ(preview.At(x, y), in ? ColorRefToPixel(snow) : back) << x << y;
        }
        EXPECT_EQ(form.CmboSnowSize.Enabled, size);
        EXPECT_EQ(form.HScrollTransparency.Enabled, transparency);
        for (const forms::Label* label : {&form.Label13, &form.Label14, &form.Label15})
            EXPECT_EQ(label->Enabled, labels) << type << " " << alphaBlend;
    }
}

// OK saves the switched language and "Sleep"; Cancel and the close box save
// nothing, Cancel brings the stored language back; all stop the music.
TEST(SettingsForm, ClosingTheDialog) {
    const std::string key = SectionKeyPath("Settings");
    for (const auto& [close, saves, language, calls] : {
             std::tuple{&SettingsForm::cmdOK_Click, true, kEnglish, Texts{"stop sound", "unload"}},
             {&SettingsForm::CmdCancel_Click, false, kItalian, Texts{"stop sound", "unload"}},
             {&SettingsForm::Form_QueryUnload, false, kEnglish, Texts{"stop sound"}},
         }) {
        SettingsFixture f;
        f.registry.Preset(key, "Language", "3");
        f.registry.Preset(key, "BackgroundImage", "gone.jpg");  // no preview while closing
        SettingsForm form = f.Form();
        form.MnuEnglish.Click();
        form.Visible = true;
        form.OptBackgroundImage.SetValue(true);
        f.host.calls.clear();
        (form.*close)();
        EXPECT_EQ(f.host.calls, calls);
        EXPECT_EQ(f.language.GetLanguage(), language);
        EXPECT_EQ(f.registry.Stored(key, "Language"), saves ? "2" : "3");
        EXPECT_EQ(f.registry.Stored(key, "Sleep").has_value(), saves);
    }
}

// Relabelling refills the flake list, keeps the chosen type and replaces the
// tooltips. (The captions, the checked item and the tooltip texts per
// language are checked on the real dialog under Wine.)
TEST(SettingsForm, LanguageMenuKeepsTheFlakeType) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    form.CmboFlaketype.SetListIndex(4);
    form.MnuItalian_Click();
    EXPECT_EQ(form.CmboFlaketype.ListIndex(), 4);
    EXPECT_EQ(form.CmboFlaketype.Items[4], "Fiocco 1");
    EXPECT_EQ(f.host.tips.size(), 13u);  // the old tips went first
}

// The picture fills the preview, dotted over for the desktop; a failure
// clears it, with message 56 unless quiet; an empty path leaves it alone.
// While shown, typing previews quietly; the options, the chooser and
// activation loudly.
// A cancelled colour chooser (-1) keeps the colour; the snow colour redraws
// the flake preview.
TEST(SettingsForm, PreviewsAndChoosers) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    Surface& preview = form.PictureBackgroundImagePreview.Picture;
    preview.Resize(4, 3);  // the view's real size
    form.TxBackgroundImage.SetText("a.jpg");
    form.ShowBackgroundPreview(true, false);
    EXPECT_EQ(std::pair(preview.At(0, 0), preview.At(1, 0)), std::pair(0x123456u, 0xC0C0C0u));
    f.host.drawSucceeds = false;
    form.ShowBackgroundPreview(false, true);
    EXPECT_EQ(std::pair(preview.At(0, 0), preview.At(1, 0)), std::pair(0u, 0u));
    form.Visible = true;
    form.TxBackgroundImage.SetText("typed.jpg");
    form.CmdChooseBackgroundImage.Click();
    f.host.chosenFile = "chosen.jpg";
    form.CmdChooseBackgroundImage.Click();
    form.OptBackgroundImage.SetValue(true);
    form.Form_Activate();
    form.TxBackgroundImage.SetText("");
    form.ShowBackgroundPreview(false, false);
    EXPECT_EQ(f.host.calls, Texts({"draw a.jpg", "draw a.jpg", "draw typed.jpg", "file typed.jpg",
                                   "draw typed.jpg", "file typed.jpg", "draw chosen.jpg",
                                   "draw chosen.jpg", "draw chosen.jpg", "draw chosen.jpg"}));
    EXPECT_EQ(f.shown, Texts(4, "!Pfad oder Bilddatei ung\u00fcltig."));
    f.host.calls.clear();
    form.Command3.Click();
    f.host.color = 255;
    form.CmdColor.Click();
    form.Command3.Click();
    EXPECT_EQ(f.host.calls, Texts({"color 16777215", "color 0", "color 16777215"}));
    EXPECT_EQ(std::pair(form.colSnow.BackColor, form.colBack.BackColor), std::pair(255u, 255u));
    EXPECT_EQ(form.picFlaketype.Picture.At(0, 0), 0xAAAAAAu);
}

}  // namespace
}  // namespace brumo
