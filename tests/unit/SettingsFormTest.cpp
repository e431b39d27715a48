// The dialog's controls and the couplings between them.
#include <gtest/gtest.h>

#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "settings/SettingsForm.h"

namespace brumo {
namespace {

struct SettingsFixture : MessageSink {
    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost host;
    std::vector<std::string> shown;  // messages, "!" prefixed when critical
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

TEST(SettingsForm, RestartBoxHoldsOneToNinetyNine) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    for (const auto& [typed, shown, bar] :
         {std::tuple{"0", "1", -1}, {"150", "99", -99}, {"a", "1", -1}}) {
        form.TxRestartMin.SetText(typed);
        EXPECT_EQ(form.TxRestartMin.Text(), shown) << typed;
        EXPECT_EQ(form.VScrollRestartMin.Value(), bar) << typed;
    }
}

// The preview's grey opposes the snow; a block is drawn at its size, and only
// Block flakes have a size, only picture flakes a transparency.
TEST(SettingsForm, FlakePreviewAndTheControlsItEnables) {
    const struct {
        std::int32_t type;
        ColorRef snow;
        bool alphaBlend;
        Pixel background;
        bool size, transparency, labels;
    } cases[] = {
        {kFlakeTypeBlock, kWhite, true, 0x000000, true, false, false},
        {kFlakeTypeBlock, kBlack, true, 0xFFFFFF, true, false, false},
        {0, kWhite, true, 0x000000, false, true, true},
        {0, 0x0000FF, false, 0xAAAAAA, false, true, false},
    };
    for (const auto& c : cases) {
        SettingsFixture f;
        f.alphaBlend = c.alphaBlend;
        SettingsForm form = f.Form();
        SettingsRecord record;
        record.SnowballType = c.type;
        record.SnowballColor = c.snow;
        record.SnowballSize = 2;
        form.LoadFrom(record);
        form.Form_Activate();
        const Surface& preview = form.picFlaketype.Picture;
        EXPECT_EQ(preview.At(0, 0), c.background) << c.type << " " << c.snow;
        if (c.type == kFlakeTypeBlock) {  // 3 x 3 in the middle of 48 x 48
            for (const auto& [x, y, snow] :
                 {std::tuple{21, 22, false}, {22, 22, true}, {24, 24, true}, {25, 24, false}})
                EXPECT_EQ(preview.At(x, y), snow ? ColorRefToPixel(c.snow) : c.background);
        }
        EXPECT_EQ(form.CmboSnowSize.Enabled, c.size);
        EXPECT_EQ(form.HScrollTransparency.Enabled, c.transparency);
        for (const forms::Label* label : {&form.Label13, &form.Label14, &form.Label15})
            EXPECT_EQ(label->Enabled, c.labels) << c.type << " " << c.alphaBlend;
    }
}

// OK saves the (switched) language; Cancel and the close box save nothing,
// and Cancel brings the stored language back; all stop the music.
TEST(SettingsForm, ClosingTheDialog) {
    const struct {
        void (SettingsForm::*close)();
        bool saves;
        std::int32_t language;
        std::vector<std::string> calls;
    } cases[] = {
        {&SettingsForm::cmdOK_Click, true, kEnglish, {"stop sound", "unload"}},
        {&SettingsForm::CmdCancel_Click, false, kItalian, {"stop sound", "unload"}},
        {&SettingsForm::Form_QueryUnload, false, kEnglish, {"stop sound"}},
    };
    const std::string key = SectionKeyPath("Settings");
    for (const auto& c : cases) {
        SettingsFixture f;
        f.registry.Preset(key, "Language", "3");
        SettingsForm form = f.Form();
        form.MnuEnglish.Click();
        f.host.calls.clear();
        (form.*c.close)();
        EXPECT_EQ(f.host.calls, c.calls);
        EXPECT_EQ(f.language.GetLanguage(), c.language);
        EXPECT_EQ(f.registry.Calls("set").empty(), !c.saves);
        EXPECT_EQ(f.registry.Stored(key, "Language"), c.saves ? "2" : "3");
        EXPECT_EQ(f.registry.Stored(key, "Sleep"), c.saves ? std::optional("0") : std::nullopt);
    }
}

// A menu click checks its item, relabels the dialog, keeps the flake type and
// rebuilds the tooltips; fixed captions stay.
TEST(SettingsForm, LanguageMenuRelabels) {
    const struct {
        void (SettingsForm::*click)();
        std::int32_t language;
        std::vector<std::string> captions;  // title, tabs, Command3, flake type 4
    } cases[] = {
        {&SettingsForm::MnuItalian_Click,
         kItalian,
         {"Brumo - impostazioni", "Snow settings", "Additional settings", "&Scegli colore:"}},
        {&SettingsForm::MnuGerman_Click,
         kGerman,
         {"Brumo - Einstellungen", "Schnee-Einstellungen", "Weitere Einstellungen",
          "Farbe &w\u00e4hlen:"}},
        {&SettingsForm::MnuEnglish_Click,
         kEnglish,
         {"Brumo - settings", "Snow settings", "Additional settings", "&Choose color:", "Flake 1"}},
    };
    SettingsFixture f;
    SettingsForm form = f.Form();
    form.CmboFlaketype.SetListIndex(4);
    for (const auto& c : cases) {
        f.host.calls.clear();
        (form.*c.click)();
        EXPECT_EQ(f.language.GetLanguage(), c.language);
        EXPECT_EQ(form.MnuItalian.Checked, c.language == kItalian);
        EXPECT_EQ(form.MnuGerman.Checked, c.language == kGerman);
        std::vector<std::string> captions{form.Caption, form.SSTabCaptions[0],
                                          form.SSTabCaptions[1], form.Command3.Caption};
        if (c.captions.size() > 4) captions.push_back(form.CmboFlaketype.Items[4]);
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(form.CmboFlaketype.ListIndex(), 4);
        EXPECT_EQ(f.host.calls, (std::vector<std::string>{"remove tips", "add tips"}));
        EXPECT_EQ(f.host.tips.size(), 13u);
    }
    EXPECT_EQ(form.Frame5.Caption, "Hintergrund-Einstellungen:");
}

TEST(SettingsForm, TooltipTextsPerLanguage) {
    const struct {
        std::int32_t language;
        std::size_t index;
        const char* text;
    } cases[] = {
        {kEnglish, 5,
         "With this slider you can adjust how transparent the snow \r\nshould be.\r\n(Slider "
         "completely to the right side turns transparency off,\r\nwhich results in a higher "
         "possible framerate)"},
        {kGerman, 9, "Verwenden Sie diese Einstellung,\r\num Schnee auf Ihren Desktop zu bringen."},
        {kItalian, 7,
         "Con questa impostazione \u00e8 possibile stabilire\r\nse i fiocchi di neve devono "
         "posarsi sulle icone."},
    };
    SettingsFixture f;
    SettingsForm form = f.Form();
    for (const auto& c : cases) {
        form.SelectLanguage(c.language);
        const std::vector<ToolTipEntry> tips = form.TooltipTexts();
        ASSERT_EQ(tips.size(), 13u);
        EXPECT_EQ(tips[c.index].text, c.text);
        for (const ToolTipEntry& tip : tips) EXPECT_EQ(tip.text.find_first_not_of("\r\n"), 0u);
        EXPECT_NE(tips[10].text.find(".\r\n\r\n("), std::string::npos);  // the empty line
    }
}

// The picture fills the preview, dotted over for the desktop; a failure
// clears it and says so unless quiet; an empty path leaves it alone.
TEST(SettingsForm, BackgroundPreview) {
    constexpr Pixel kOld = 0x777777, kDrawn = 0x123456, kDot = 0xC0C0C0, kCleared = 0;
    const struct {
        const char* path;
        bool draws, desktop, quiet;
        Pixel at00, at10;
        std::size_t messages;
    } cases[] = {
        {"", true, false, false, kOld, kOld, 0},
        {"C:\\a.jpg", true, false, false, kDrawn, kDrawn, 0},
        {"C:\\a.jpg", true, true, false, kDrawn, kDot, 0},
        {"C:\\a.txt", false, false, false, kCleared, kCleared, 1},
        {"C:\\a.txt", false, true, true, kCleared, kCleared, 0},
    };
    for (const auto& c : cases) {
        SettingsFixture f;
        SettingsForm form = f.Form();
        form.TxBackgroundImage.SetText(c.path);
        form.PictureBackgroundImagePreview.Picture.Resize(4, 3);  // the view's real size
        Surface& preview = form.PictureBackgroundImagePreview.Picture;
        preview.Row(0)[0] = preview.Row(0)[1] = kOld;
        f.host.drawSucceeds = c.draws;
        form.ShowBackgroundPreview(c.desktop, c.quiet);
        EXPECT_EQ(preview.At(0, 0), c.at00) << c.path << c.desktop;
        EXPECT_EQ(preview.At(1, 0), c.at10) << c.path << c.desktop;
        EXPECT_EQ(f.shown,
                  std::vector<std::string>(c.messages, "!Pfad oder Bilddatei ung\u00fcltig."));
    }
}

// While shown: typing previews quietly, the options and the chooser loudly;
// a cancelled chooser keeps the path.
TEST(SettingsForm, BackgroundPreviewTriggers) {
    SettingsFixture f;
    f.host.drawSucceeds = false;
    SettingsForm form = f.Form();
    form.TxBackgroundImage.SetText("C:\\hidden.jpg");
    form.Visible = true;
    f.host.calls.clear();
    form.TxBackgroundImage.SetText("C:\\typed.jpg");
    form.CmdChooseBackgroundImage_Click();
    f.host.chosenFile = "C:\\chosen.jpg";
    form.CmdChooseBackgroundImage_Click();
    form.OptBackgroundImage.SetValue(true);
    EXPECT_EQ(f.host.calls, (std::vector<std::string>{"draw C:\\typed.jpg", "file C:\\typed.jpg",
                                                      "draw C:\\typed.jpg", "file C:\\typed.jpg",
                                                      "draw C:\\chosen.jpg", "draw C:\\chosen.jpg",
                                                      "draw C:\\chosen.jpg"}));
    EXPECT_EQ(f.shown.size(), 3u);
}

// A chosen colour replaces the box's colour, a cancelled one (-1) does not;
// the snow colour redraws the flake preview.
TEST(SettingsForm, ColourChoosers) {
    for (const auto& [chosen, snow, back, grey] :
         {std::tuple{std::int64_t{-1}, kWhite, kBlack, Pixel{0}}, {255, 255u, 255u, 0xAAAAAAu}}) {
        SettingsFixture f;
        SettingsForm form = f.Form();
        f.host.color = chosen;
        f.host.calls.clear();
        form.Command3.Click();
        form.CmdColor.Click();
        EXPECT_EQ(f.host.calls, (std::vector<std::string>{"color 16777215", "color 0"}));
        EXPECT_EQ(form.colSnow.BackColor, snow);
        EXPECT_EQ(form.colBack.BackColor, back);
        EXPECT_EQ(form.picFlaketype.Picture.At(0, 0), grey);
    }
}

}  // namespace
}  // namespace brumo
