// The settings record: what the registry's texts become, the order they are
// written in, the dialog editing a record, and the engine values.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "settings/SettingsForm.h"

namespace brumo {
namespace {

const std::string kKey = SectionKeyPath("Settings");

class NoMessages : public MessageSink {
    void ShowMessage(const std::string& text, MessageStyle) override { ADD_FAILURE() << text; }
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// A registry holding the "Name=text" words, in their order.
test::FakeRegistry Stored(const std::string& words) {
    test::FakeRegistry registry;
    for (const std::string& word : Words(words))
        registry.Preset(kKey, word.substr(0, word.find('=')), word.substr(word.find('=') + 1));
    return registry;
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
        test::FakeRegistry registry = Stored(c.stored);
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
        const std::vector<std::string> list = Words(out.str());
        const std::set<std::string> words(list.begin(), list.end());
        for (const std::string& word : Words(c.expected))
            EXPECT_EQ(words.count(word), 1u) << word << " from " << c.stored;
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
    test::FakeRegistry registry = Stored(stored);
    Language language;
    NoMessages messages;
    test::FakeSettingsHost host;
    SettingsForm form(SettingsFormContext{registry, language, messages, host});
    EXPECT_EQ(form.labelCountSnowballs.Caption, "5000");
    form.SaveSettings();
    std::string saved;
    for (const std::string& name : registry.Calls("set"))
        saved += name + "=" + registry.Stored(kKey, name).value_or("?") + " ";
    EXPECT_EQ(saved, stored + " Sleep=0 ");
}

}  // namespace
}  // namespace brumo
