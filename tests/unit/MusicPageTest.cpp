// The music page: the description of the chosen file, the preview's states
// through its timer, the Play button's state and the music chooser.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "Fakes.h"
#include "music/MusicPage.h"

namespace brumo {
namespace {

// One device alias: a second open is refused while it is in use; files the
// test did not give a length to are missing.
struct FakeDevice : MciPort, ShortPathPort {
    std::map<std::string, std::int32_t> lengths;
    std::string open, mode = "playing", played;
    std::int32_t position = 0, opens = 0;
    std::string ShortPath(const std::string& path) override {
        return lengths.count(path) ? path : "";
    }
    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        if (command.starts_with("open ")) {
            if (!open.empty()) return 289;
            return ++opens, open = command.substr(5, command.find(" type") - 5), 0;
        }
        if (command.starts_with("play ")) played = command;
        if (command == "close SworlsSound") open.clear();
        if (reply == nullptr || open.empty()) return 0;
        if (command.ends_with("length")) *reply = std::to_string(lengths[open]);
        if (command.ends_with("position")) *reply = std::to_string(position);
        if (command.ends_with("mode")) *reply = mode;
        return 0;
    }
};

struct MemoryFile : TagFile {
    explicit MemoryFile(std::string content) : bytes(std::move(content)) {}
    std::string bytes;
    std::int64_t Size() override { return static_cast<std::int64_t>(bytes.size()); }
    std::size_t ReadAt(std::int64_t offset, std::span<char> buffer) override {
        const auto at = std::min(bytes.size(), static_cast<std::size_t>(offset));
        const std::size_t count = std::min(buffer.size(), bytes.size() - at);
        return std::memcpy(buffer.data(), bytes.data() + at, count), count;
    }
};

struct MemoryFiles : TagFileSystem {
    std::map<std::string, std::string> files;
    std::unique_ptr<TagFile> Open(const std::string& path) override {
        if (!files.count(path)) return nullptr;
        return std::make_unique<MemoryFile>(files[path]);
    }
};

// A v2.3 frame of fewer than 128 bytes.
std::string Frame(const std::string& id, const std::string& body) {
    return id + std::string(3, '\0') + static_cast<char>(body.size()) + std::string(2, '\0') + body;
}

const std::string kTag = [] {
    const std::string frames = Frame("TIT2", std::string("\x01\xFF\xFES\0n\0o\0w\0", 11)) +
                               Frame("TPE1", std::string("\0Flake", 6)) +
                               Frame("TALB", std::string("\0Winter", 7)) +
                               Frame("TYER", std::string("\0"
                                                         "2026",
                                                         5));
    return "ID3" + std::string("\x03\0\0\0\0\0", 6) + static_cast<char>(frames.size()) + frames;
}();

struct MusicFixture : MessageSink {
    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost host;
    FakeDevice device;
    Sound sound{device, device};
    test::FakeLocale locale;
    MemoryFiles files;
    void ShowMessage(const std::string&, MessageStyle) override {}
    bool prepared = [this] {
        device.lengths = {{"C:\\a.wav", 215250}, {"C:\\b.MP3", 215000}, {"C:\\c.mp3", 1000}};
        files.files = {{"C:\\b.MP3", "junk" + kTag}, {"C:\\c.mp3", "no tag"}};
        registry.Preset(SectionKeyPath("Settings"), "BackgroundSound", "C:\\a.wav");
        return true;
    }();
    SettingsForm form{SettingsFormContext{registry, language, *this, host}};
    MusicPage page{MusicPageContext{form, host, sound, language, locale, files}};
};

// The stored path is described from the start; a chosen file replaces it.
TEST(MusicPage, DescribesTheFileInTheUsersLanguage) {
    for (const auto& [german, separator, path, text] : {
             std::tuple{true, ",", "C:\\a.wav", "Dauer: 215,2 sec."},
             {false, ".", "C:\\a.wav", "Duration: 215.2 sec."},
             {false, ".", "C:\\b.MP3",
              "Duration: 215 sec.\r\nTitle: Snow\r\nArtist: Flake\r\nAlbum: Winter\r\nYear: 2026"},
             {true, ",", "C:\\b.MP3",
              "Dauer: 215 sec.\r\nTitel: Snow\r\nInterpret: Flake\r\nAlbum: Winter\r\nJahr: 2026"},
             {false, ".", "C:\\c.mp3", "Duration: 1 sec.\r\nno ID3v2 Tag"},
             {false, ".", "C:\\gone.wav", "Duration: 0 sec."},
             {false, ".", "  ", ""},
         }) {
        MusicFixture f;
        f.locale.separator = separator;
        (german ? f.form.MnuGerman : f.form.MnuEnglish).Click();
        f.host.chosenFile = path;
        f.form.CmdBtnFindSndFile.Click();
        EXPECT_EQ(f.form.LabelMP3.Text(), text) << path;
        EXPECT_EQ(f.device.open, "") << path;
    }
}

// The device is asked once per path; the language still follows the menu.
TEST(MusicPage, DescribesEachPathOnce) {
    MusicFixture f;
    EXPECT_EQ(f.form.LabelMP3.Text(), "Dauer: 215,2 sec.");  // the stored path
    f.form.CmdBtnFindSndFile.Click();                        // cancelled
    f.form.MnuEnglish.Click();
    EXPECT_EQ(f.device.opens, 1);
    EXPECT_EQ(f.form.LabelMP3.Text(), "Duration: 215,2 sec.");
    f.form.TxSoundfile.SetText("");
    EXPECT_FALSE(f.form.CmdBtnPlay.Enabled);
    f.form.RefreshMusicInfo();
    EXPECT_EQ(f.form.LabelMP3.Text(), "");
    f.form.CmdCancel.Click();  // the stored path again, in the stored language
    EXPECT_EQ(f.form.LabelMP3.Text(), "Dauer: 215,2 sec.");
}

// Play -> ticks -> the end of the sound; Stop; a file that will not play.
TEST(MusicPage, PreviewFollowsTheDevice) {
    MusicFixture f;
    f.form.MnuEnglish.Click();
    f.form.SndProgress.Width = 861;
    const auto expectIdle = [&f](const char* when) {
        EXPECT_EQ(f.form.CmdBtnPlay.Caption, "Play") << when;
        EXPECT_FALSE(f.form.TimerSnd.Enabled) << when;
        EXPECT_EQ(f.form.SndProgressBar.Width, 0) << when;
        EXPECT_EQ(f.form.LabelSndProgress.Caption, "") << when;
        EXPECT_EQ(f.device.open, "") << when;
    };
    f.form.CmdBtnPlay.Click();
    EXPECT_EQ(f.form.CmdBtnPlay.Caption, "Stop");
    EXPECT_TRUE(f.form.TimerSnd.Enabled && f.form.TimerSnd.Interval == 200);
    EXPECT_EQ(f.device.played, "play SworlsSound from 0");  // once, whatever the repeat box says
    f.form.MnuEnglish.Click();  // relabelling keeps the playing state's caption
    EXPECT_EQ(f.form.CmdBtnPlay.Caption, "Stop");
    for (const auto& [position, label, width] :
         {std::tuple{0, "0,0s", 0.0}, {200, "0,2s", 0.8}, {12250, "12,2s", 49.0}}) {
        f.device.position = position;
        f.form.TimerSnd.Timer();
        EXPECT_EQ(f.form.LabelSndProgress.Caption, label);
        EXPECT_DOUBLE_EQ(f.form.SndProgressBar.Width, width);
    }
    f.device.mode = "stopped";
    f.form.TimerSnd.Timer();
    expectIdle("ended");
    f.form.CmdBtnPlay.Click();
    f.form.CmdBtnPlay.Click();
    expectIdle("stopped");
    f.form.TxSoundfile.SetText(" ");
    f.form.CmdBtnPlay.Click();
    EXPECT_TRUE(f.form.CmdBtnPlay.Enabled && f.form.TimerSnd.Enabled);
    f.form.TimerSnd.Timer();
    expectIdle("failed start");
    f.form.CmdBtnPlay.Click();
    f.form.CmdCancel.Click();
    EXPECT_FALSE(f.form.TimerSnd.Enabled);
}

TEST(MusicPage, ChooserRequest) {
    Language english;
    english.SetLanguage(kEnglish);
    const FileDialogRequest request = MusicFileRequest(english, "C:\\a.wav");
    EXPECT_EQ(request.title, "Choose background music");
    using namespace std::string_literals;
    EXPECT_EQ(request.filter,
              "All soundfiles (*.mp3;*.wma;*.mid;*.wav)\0*.mp3;*.wma;*.mid;*.wav\0"
              "MP3 (*.mp3)\0*.mp3\0WMA (*.wma)\0*.wma\0MID (*.mid)\0*.mid\0"
              "WAV (*.wav)\0*.wav\0All files (*.*)\0*.*\0"s);
    EXPECT_EQ(request.defaultExt, "");
    EXPECT_EQ(request.viewMode, 28717);
    EXPECT_EQ(request.startText, "C:\\a.wav");
    EXPECT_FALSE(request.isSave);
}

}  // namespace
}  // namespace brumo
