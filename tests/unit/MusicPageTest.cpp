// The music page: the description of the chosen file, the preview's states
// through its timer and the Play button's state; and the player under it:
// the commands it sends and the close when a player goes away.
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
// without a length here is missing. Only the path with a blank has a short name.
struct FakeDevice : MciPort, ShortPathPort {
    std::map<std::string, std::int32_t> lengths{
        {"C:\\a.wav", 215250}, {"C:\\b.MP3", 215000}, {"C:\\c.mp3", 1000}};
    std::string open, mode = "playing", log;
    std::int32_t position = 0;
    std::string ShortPath(const std::string& path) override {
        if (path == "C:\\My music\\d.mp3") return "C:\\MYMUSI~1\\D.MP3";
        return lengths.count(path) ? path : "";
    }
    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        log += command + "|";
        const std::string verb = command.substr(0, command.find(' '));
        const std::string item = command.substr(command.rfind(' ') + 1);
        if (verb == "open" && !open.empty()) return 289;
        if (verb == "open") open = command.substr(5, command.find(" type") - 5);
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

// A chosen file is described: duration, then the tag of an .mp3.
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
    }
}

// The stored path is described at the start and the device asked once per
// path, and closed again; the language follows the menu; Cancel describes the
// stored path again.
TEST(MusicPage, DescribesEachPathOnce) {
    MusicFixture f;
    EXPECT_EQ(f.form.LabelMP3.Text(), "Dauer: 215,2 sec.");
    f.form.CmdBtnFindSndFile.Click();  // cancelled
    f.form.MnuEnglish.Click();
    EXPECT_EQ(f.device.log,
              "open C:\\a.wav type MPEGVideo alias SworlsSound|status SworlsSound length|"
              "stop SworlsSound|close SworlsSound|");
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
    // Played once, whatever the repeat box says.
    EXPECT_NE(f.device.log.find("|play SworlsSound from 0|"), std::string::npos);
    EXPECT_EQ(f.device.log.find("repeat"), std::string::npos);
    play();
    f.form.CmdCancel.Click();
    EXPECT_FALSE(f.form.TimerSnd.Enabled);
}

// The saver's player opens the short name and repeats when it loops. A second
// player is refused while the first plays and closes nothing when it goes
// away; the first closes its alias when it goes away.
TEST(Sound, PlayersCloseOnlyWhatTheyOpened) {
    FakeDevice device;
    {
        Sound first(device, device);
        EXPECT_TRUE(first.StartSound("C:\\My music\\d.mp3", true));
        EXPECT_FALSE(Sound(device, device).StartSound("C:\\a.wav", false));
    }
    const std::string suffix = " type MPEGVideo alias SworlsSound|";
    EXPECT_EQ(device.log, "open C:\\MYMUSI~1\\D.MP3" + suffix +
                              "play SworlsSound from 0 repeat|open C:\\a.wav" + suffix +
                              "stop SworlsSound|close SworlsSound|");
}

}  // namespace
}  // namespace brumo
