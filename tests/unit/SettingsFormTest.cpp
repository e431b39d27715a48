// The settings dialog without Windows: what the registry's texts become and
// the order they are saved in, the controls and their couplings, and the
// helpers around the dialog (file chooser, colours, the update address).
#include <gtest/gtest.h>

#include <sstream>

#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "online/UpdateCheck.h"
#include "settings/ColorDialog.h"
#include "settings/DialogColor.h"
#include "settings/FileDialogFunctions.h"
#include "settings/SettingsForm.h"

namespace brumo {
namespace {

using Texts = std::vector<std::string>;
const std::string kKey = SectionKeyPath("Settings");

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

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// Stores the "Name=text" words, in their order.
void Store(test::FakeRegistry& registry, const std::string& words) {
    for (const std::string& word : Words(words))
        registry.Preset(kKey, word.substr(0, word.find('=')), word.substr(word.find('=') + 1));
}

// The saver reads its engine values without the dialog, shaped as the dialog
// would shape them.
TEST(SettingsRecord, StoredTextsReachTheEngineAsTheDialogShapesThem) {
    const struct {
        const char* stored;
        const char* expected;  // words that must appear
        bool alphaBlend = true;
    } cases[] = {
        {"",
         "lang=1 colour=16777215 cell=4x4 dir=0 alpha=192/128 turb=4 count=300 fps=20 sky=0 "
         "showfps=0 icons=1 restart=15 image=0: type=1 sound= loop=1 max=1 size=100 back=0"},
        {"CountSnowballs=70000 Transparency=10 SnowballSize=12 SnowballType=-3 Turbulence=&H1F "
         "Framerate=0 FallingDirection=-7 SizeBackground=150abc RestartMin=150",
         "count=5000 alpha=25/25 cell=8x8 type=0 turb=9 fps=1 dir=-2 size=150 restart=99"},
        {"RestartMin=12.5 SizeBackground=12.5 Transparency=129 Language=2.5",
         "restart=12 size=12 alpha=129/65 lang=1"},
        {"RestartMin=13.5 Transparency=128 SnowOnIcons=1 BackgroundImageEnabled=1 "
         "BackgroundImage=C:\\a.jpg",
         "restart=14 alpha=128/128 icons=0 image=1:C:\\a.jpg"},
        {"RestartMin=99.5 Transparency=255", "restart=99 alpha=255/255"},
        {"RestartMin=x Transparency=100", "restart=1 alpha=255/255", false},
    };
    for (const auto& c : cases) {
        test::FakeRegistry registry;
        Store(registry, c.stored);
        Language language;
        const EngineValues v = LoadSaverSettings(registry, language, c.alphaBlend);
        std::ostringstream out;
        out << "lang=" << language.GetLanguage() << " colour=" << v.SnowballColor
            << " cell=" << v.FlakeCellWidth << "x" << v.FlakeCellHeight
            << " dir=" << v.FallingDirection << " alpha=" << v.Transparency << "/"
            << v.SecondaryAlpha << " turb=" << +v.Turbulence << " count=" << v.CountSnowballs
            << " fps=" << +v.Framerate << " sky=" << v.SnowAlwaysFromSky << " showfps=" << v.ShowFPS
            << " icons=" << v.SnowOnIcons << " restart=" << v.RestartMin
            << " image=" << v.BackgroundImageEnabled << ":" << v.BackgroundImage
            << " type=" << v.SnowballType << " sound=" << v.BackgroundSound
            << " loop=" << v.LoopSound << " max=" << v.MaximizeBackground
            << " size=" << v.SizeBackground << " back=" << v.ColorBackground;
        const std::string shown = " " + out.str() + " ";
        for (const std::string& word : Words(c.expected))
            EXPECT_NE(shown.find(" " + word + " "), std::string::npos)
                << word << " from " << c.stored;
    }
}

// Every stored text survives a load and a save in the save order, "12.5" for
// the image size too.
TEST(SettingsRecord, StoredTextsSurviveTheDialogsLoadAndSave) {
    // In the order of saving.
    const std::string stored =
        "Language=3 SnowballColor=-16777216 SnowballSize=0 FallingDirection=-2 Transparency=25 "
        "Turbulence=9 CountSnowballs=5000 Framerate=100 UseSystemTimer=2 SnowAlwaysFromSky=1 "
        "ShowFPS=1 SnowOnIcons=0 RestartMin=42 BackgroundImageEnabled=1 BackgroundImage=C:\\Снег "
        "SnowballType=7 BackgroundSound=雪.mp3 LoopSound=0 MaximizeBackground=0 "
        "ColorBackground=255 SizeBackground=12.5";
    SettingsFixture f;
    Store(f.registry, stored);
    SettingsForm form = f.Form();
    EXPECT_EQ(form.labelCountSnowballs.Caption, "5000");
    form.SaveSettings();
    std::string saved;
    for (const std::string& name : f.registry.Calls("set"))
        saved += name + "=" + f.registry.Stored(kKey, name).value_or("?") + " ";
    EXPECT_EQ(saved, stored + " Sleep=0 ");
    EXPECT_EQ(f.shown, Texts());
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

// All three ways out stop the music; OK and Cancel close the window, Cancel
// reloading the stored values without previewing them. (What each way writes
// and the language Cancel brings back are checked on the real dialog.)
TEST(SettingsForm, ClosingTheDialogStopsTheMusic) {
    for (const auto& [close, calls] : {
             std::pair{&SettingsForm::cmdOK_Click, Texts{"stop sound", "unload"}},
             {&SettingsForm::CmdCancel_Click, Texts{"stop sound", "unload"}},
             {&SettingsForm::Form_QueryUnload, Texts{"stop sound"}},
         }) {
        SettingsFixture f;
        f.registry.Preset(kKey, "BackgroundImage", "gone.jpg");
        SettingsForm form = f.Form();
        form.Visible = true;
        form.OptBackgroundImage.SetValue(true);
        f.host.calls.clear();
        (form.*close)();
        EXPECT_EQ(f.host.calls, calls);
    }
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

// Name and folder of the start text; the completed choice for a filter and
// the extension offset the chooser reports (the plain completions run under
// Wine through the real chooser).
TEST(FileDialogFunctions, PathsAndExtensionCompletion) {
    for (const auto& [path, name, folder] :
         {std::tuple{"C:\\Pics\\snow.jpg", "snow.jpg", "C:\\Pics\\"},
          {"C:\\Pics.old\\snow", "", "C:\\Pics.old\\"},
          {"snow", "", ""},
          {"a.b", "a.b", ""}})
        EXPECT_EQ(GetFileName(path) + "|" + GetFolder(path), std::string(name) + "|" + folder);
    for (const auto& [path, filter, offset, completed] :
         {std::tuple{"C:\\winter.", 2, 10, "C:\\winter"},
          {"C:\\a.bmp", 1, 0, "C:\\a.bmp"},
          {"C:\\a.jpg", 1, 4, "C:\\a.jpg"}})
        EXPECT_EQ(CompleteExtension(path, "BMP", filter, offset), completed) << path << filter;
}

TEST(FileDialogFunctions, PictureChooserInEnglish) {
    Language english;
    english.SetLanguage(kEnglish);
    const FileDialogRequest request = PictureFileRequest(english, "C:\\a.jpg");
    using namespace std::string_literals;
    EXPECT_EQ(request.title + "|" + request.defaultExt + "|" + request.filter,
              "Choose background picture|BMP|All pictures (*.bmp;*.jpg;*.gif)\0*.bmp;"
              "*.jpg;*.gif\0BMP (*.bmp)\0*.bmp\0JPG (*.jpg)\0*.jpg\0GIF (*.gif)\0*.gif"
              "\0All files (*.*)\0*.*\0"s);
}

TEST(DialogHelpers, ColorsAndUpdateAddress) {
    EXPECT_EQ(InitCustomColors()[15], 0x464646u);
    EXPECT_EQ(DialogColor(0xF0F0F0u), 0xDCDCDCu);
    EXPECT_EQ(DialogColor(0x151413u), 0x011413u);  // 20 and less stay
    const std::string base = std::string("http://") + BRUMO_DOWNLOAD_HOST + "/update";
    for (const auto& [language, page] :
         {std::pair{kGerman, "_de"}, {kEnglish, "_en"}, {kItalian, "_en"}})
        EXPECT_EQ(UpdateAddress(language), base + page + ".php?product=Brumo&version=1.5.0");
}

}  // namespace
}  // namespace brumo
