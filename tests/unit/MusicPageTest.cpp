// The music page: the description of the chosen file, the preview's states
// through its timer, the Play button's state and the music chooser.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "FakeTagFiles.h"
#include "Fakes.h"
#include "music/MusicPage.h"

namespace brumo {
namespace {

using namespace std::string_literals;

// One device alias: a second open is refused while it is in use; a file
// without a length here is missing.
struct FakeDevice : MciPort, ShortPathPort {
    std::map<std::string, std::int32_t> lengths{
        {"C:\\a.wav", 215250}, {"C:\\b.MP3", 215000}, {"C:\\c.mp3", 1000}};
    std::string open, mode = "playing", played;
    std::int32_t position = 0, opens = 0;
    std::string ShortPath(const std::string& path) override {
        return lengths.count(path) ? path : "";
    }
    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        const std::string verb = command.substr(0, command.find(' '));
        const std::string item = command.substr(command.rfind(' ') + 1);
        if (verb == "open" && !open.empty()) return 289;
        if (verb == "open") ++opens, open = command.substr(5, command.find(" type") - 5);
        if (verb == "play") played = command;
        if (verb == "close") open.clear();
        if (reply != nullptr && !open.empty())
            *reply =
                item == "mode" ? mode : std::to_string(item == "length" ? lengths[open] : position);
        return 0;
    }
};

// A v2.3 tag behind other bytes, its title in UTF-16 with a byte-order mark.
const std::string kTagged = "junkID3\3\0\0\0\0\0\x45TIT2\0\0\0\x0B\0\0\1\xFF\xFES\0n\0o\0w\0"s +
                            "TPE1\0\0\0\6\0\0\0FlakeTALB\0\0\0\7\0\0\0WinterTYER\0\0\0\5\0\0\0"s +
                            "2026";

struct MusicFixture : MessageSink {
    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost host;
    FakeDevice device;
    Sound sound{device, device};
    test::FakeLocale locale;  // decimal comma
    MemoryTagFiles files;
    void ShowMessage(const std::string&, MessageStyle) override {}
    bool stored = (registry.Preset(SectionKeyPath("Settings"), "BackgroundSound", "C:\\a.wav"),
                   files.files["C:\\b.MP3"] = kTagged, true);
    SettingsForm form{SettingsFormContext{registry, language, *this, host}};
    MusicPage page{MusicPageContext{form, host, sound, language, locale, files}};
};

// A chosen file is described, and the device closed again.
TEST(MusicPage, DescribesTheChosenFile) {
    for (const auto& [path, text] : {
             std::pair{"C:\\b.MP3",
                       "Duration: 215 sec.\r\nTitle: Snow\r\nArtist: Flake\r\nAlbum: Winter\r\n"
                       "Year: 2026"},
             {"C:\\c.mp3", "Duration: 1 sec.\r\nno ID3v2 Tag"},
             {"C:\\gone.wav", "Duration: 0 sec."},
             {"  ", ""},
         }) {
        MusicFixture f;
        f.form.MnuEnglish.Click();
        f.host.chosenFile = path;
        f.form.CmdBtnFindSndFile.Click();
        EXPECT_EQ(f.form.LabelMP3.Text(), text) << path;
        EXPECT_EQ(f.device.open, "") << path;
    }
}

// The stored path is described at the start and the device asked once per
// path; the language follows the menu; Cancel describes the stored path again.
TEST(MusicPage, DescribesEachPathOnce) {
    MusicFixture f;
    EXPECT_EQ(f.form.LabelMP3.Text(), "Dauer: 215,2 sec.");
    f.form.CmdBtnFindSndFile.Click();  // cancelled
    f.form.MnuEnglish.Click();
    EXPECT_EQ(f.device.opens, 1);
    EXPECT_EQ(f.form.LabelMP3.Text(), "Duration: 215,2 sec.");
    f.form.TxSoundfile.SetText("");
    EXPECT_FALSE(f.form.CmdBtnPlay.Enabled);
    f.form.RefreshMusicInfo();
    EXPECT_EQ(f.form.LabelMP3.Text(), "");
    f.form.CmdCancel.Click();
    EXPECT_EQ(f.form.LabelMP3.Text(), "Dauer: 215,2 sec.");
}

// Play, ticks, the end of the sound; Stop; a path of blanks that does not play.
TEST(MusicPage, PreviewFollowsTheDevice) {
    MusicFixture f;
    f.form.MnuEnglish.Click();
    f.form.SndProgress.Width = 861;
    const auto play = [&f] { f.form.CmdBtnPlay.Click(); };
    const auto tick = [&f](std::int32_t position, const char* mode) {
        f.device.position = position, f.device.mode = mode;
        f.form.TimerSnd.Timer();
    };
    const std::string idle = "Play, off, , 0.000000, ";
    for (const auto& [action, state] :
         std::initializer_list<std::pair<std::function<void()>, std::string>>{
             {play, "Stop, on 200, , 0.000000, C:\\a.wav"},
             {[&f] { f.form.MnuEnglish.Click(); }, "Stop, on 200, , 0.000000, C:\\a.wav"},
             {[&] { tick(0, "playing"); }, "Stop, on 200, 0,0s, 0.000000, C:\\a.wav"},
             {[&] { tick(200, "playing"); }, "Stop, on 200, 0,2s, 0.800000, C:\\a.wav"},
             {[&] { tick(12250, "playing"); }, "Stop, on 200, 12,2s, 49.000000, C:\\a.wav"},
             {[&] { tick(220000, "playing"); }, "Stop, on 200, 220,0s, 861.000000, C:\\a.wav"},
             {[&] { tick(12400, "stopped"); }, idle},
             {[&] { play(), play(); }, idle},
             {[&] { f.form.TxSoundfile.SetText(" "), play(); }, "Stop, on 200, , 0.000000, "},
             {[&] { tick(0, "playing"); }, idle},
         }) {
        action();
        const forms::TimerControl& timer = f.form.TimerSnd;
        EXPECT_EQ(f.form.CmdBtnPlay.Caption + (f.form.CmdBtnPlay.Enabled ? ", " : " (disabled), ") +
                      (timer.Enabled ? "on " + std::to_string(timer.Interval) : "off") + ", " +
                      f.form.LabelSndProgress.Caption + ", " +
                      std::to_string(f.form.SndProgressBar.Width) + ", " + f.device.open,
                  state);
    }
    EXPECT_EQ(f.device.played, "play SworlsSound from 0");  // once, whatever the repeat box says
    play();
    f.form.CmdCancel.Click();
    EXPECT_FALSE(f.form.TimerSnd.Enabled);
}

}  // namespace
}  // namespace brumo
