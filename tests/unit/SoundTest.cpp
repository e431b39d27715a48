// The background music module: command texts, their order, how results and
// status replies are read, and the close when a player goes away.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "music/Sound.h"

namespace brumo {
namespace {

std::string flag(bool value) {
    return value ? "1" : "0";
}

using Commands = std::vector<std::string>;
const std::string kSuffix = " type MPEGVideo alias SworlsSound";
const std::string kSong = "C:\\My Music\\Winter song.mp3",
                  kSongShort = "C:\\MYMUSI~1\\WINTER~1.MP3";
const std::string kOther = "C:\\Sounds\\bells.wav";  // no short name of its own
const std::string kOpenSong = "open " + kSongShort + kSuffix,
                  kOpenOther = "open " + kOther + kSuffix;
const std::string kStop = "stop SworlsSound", kClose = "close SworlsSound";

// One alias as the media interface keeps it: a second open is refused while
// it is in use, commands to a closed alias fail with an empty reply.
class FakeMci : public MciPort {
  public:
    Commands commands;
    std::set<std::string> playable = {kSongShort, kOther, "\"D:\\My Music\\long.wma\""};
    std::uint32_t playResult = 0;
    std::map<std::string, std::string> status = {
        {"length", "183000"}, {"position", "1200"}, {"mode", "playing"}};
    std::string openPath;

    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        commands.push_back(command);
        if (reply != nullptr) reply->clear();
        if (command.starts_with("open ") && command.ends_with(kSuffix)) {
            const std::string path = command.substr(5, command.size() - 5 - kSuffix.size());
            if (!openPath.empty() || !playable.contains(path)) return 289;
            openPath = path;
            return 0;
        }
        if (openPath.empty()) return 263;
        if (command.starts_with("play ")) return playResult;
        if (command == kClose) openPath.clear();
        if (command.starts_with("status SworlsSound ") && reply != nullptr)
            *reply = status[command.substr(19)];
        return 0;
    }
};

class FakeShortPaths : public ShortPathPort {
  public:
    std::string ShortPath(const std::string& path) override {
        if (path == kSong) return kSongShort;
        return path == kOther || path.starts_with("D:") ? path : "";
    }
};

struct SoundTest : ::testing::Test {
    FakeMci mci;
    FakeShortPaths paths;
};

// Each script runs on a fresh player; "1"/"0" record each result and the
// playing flag after it.
TEST_F(SoundTest, CommandSequences) {
    using Script = std::function<std::string(Sound&, FakeMci&)>;
    const struct {
        const char* name;
        Script run;
        std::string results;
        Commands commands;
    } cases[] = {
        {"missing files send nothing",
         [](Sound& s, FakeMci&) {
             s.OpenSound("");
             std::string r = flag(s.StartSound("", true));
             return r + flag(s.StartSound("C:\\gone.mp3", false));
         },
         "00",
         {}},
        {"start, stop, start once",
         [](Sound& s, FakeMci&) {
             std::string r = flag(s.StartSound(kSong, true));
             r += flag(s.IsSoundPlaying());
             s.StopSound();
             r += flag(s.IsSoundPlaying());
             r += flag(s.StartSound(kOther, false));
             return r + flag(s.IsSoundPlaying());
         },
         "11011",
         {kOpenSong, "play SworlsSound from 0 repeat", kStop, kClose, kOpenOther,
          "play SworlsSound from 0"}},
        {"refused open, then refused play leaves the device open until stop",
         [](Sound& s, FakeMci& m) {
             m.playable.erase(kSongShort);
             std::string r = flag(s.StartSound(kSong, true));
             m.playResult = 257;
             r += flag(s.StartSound(kOther, false));
             r += flag(s.IsSoundPlaying());
             r += flag(!m.openPath.empty());
             s.StopSound();
             return r + flag(!m.openPath.empty());
         },
         "00010",
         {kOpenSong, kOpenOther, "play SworlsSound from 0", kStop, kClose}},
        {"second start while playing is refused and the first plays on",
         [](Sound& s, FakeMci& m) {
             std::string r = flag(s.StartSound(kSong, true));
             r += flag(s.StartSound(kOther, false));
             r += flag(s.IsSoundPlaying());
             return r + flag(m.openPath == kSongShort);
         },
         "1011",
         {kOpenSong, "play SworlsSound from 0 repeat", kOpenOther}},
        {"open for the length, then status of the closed alias",
         [](Sound& s, FakeMci&) {
             s.OpenSound(kSong);
             std::string r = flag(s.IsSoundPlaying());
             r += std::to_string(s.GetSoundLength());
             s.StopSound();
             r += std::to_string(s.GetSoundLength());
             r += std::to_string(s.GetSoundPosition());
             return r + "[" + s.GetSoundMode() + "]";
         },
         "018300000[]",
         {kOpenSong, "status SworlsSound length", kStop, kClose, "status SworlsSound length",
          "status SworlsSound position", "status SworlsSound mode"}},
        {"the flag lasts until stop after the sound ended; only a path with a blank is quoted",
         [](Sound& s, FakeMci& m) {
             std::string r = flag(s.StartSound("D:\\My Music\\long.wma", false));
             m.status["mode"] = "stopped";
             r += s.GetSoundMode();
             return r + flag(s.IsSoundPlaying());
         },
         "1stopped1",
         {"open \"D:\\My Music\\long.wma\"" + kSuffix, "play SworlsSound from 0",
          "status SworlsSound mode"}},
    };
    for (const auto& c : cases) {
        FakeMci device;
        std::string results;
        {
            Sound sound(device, paths);
            results = c.run(sound, device);
            EXPECT_EQ(results, c.results) << c.name;
            EXPECT_EQ(device.commands, c.commands) << c.name;
        }
    }
}

TEST_F(SoundTest, StatusRepliesAreReadByTheNumberRule) {
    Sound sound(mci, paths);
    ASSERT_TRUE(sound.StartSound(kSong, true));
    const struct {
        const char* reply;
        std::int32_t value;
    } cases[] = {{"abc", 0}, {"12x", 12}, {"2.5", 2}, {"3.5", 4}, {"3000000000", 2147483647}};
    for (const auto& c : cases) {
        mci.status["length"] = mci.status["position"] = c.reply;
        EXPECT_EQ(sound.GetSoundLength(), c.value) << c.reply;
        EXPECT_EQ(sound.GetSoundPosition(), c.value) << c.reply;
    }
}

// A player that goes away closes the alias it opened, and only then.
TEST_F(SoundTest, PlayerClosesWhatItOpenedWhenItGoesAway) {
    const struct {
        std::function<void(Sound&)> use;
        long closes;
    } cases[] = {{[](Sound& s) { s.StartSound(kSong, true); }, 1},
                 {[](Sound& s) { s.OpenSound(kOther); }, 1},
                 {[](Sound& s) {
                      s.StartSound(kSong, false);
                      s.StopSound();
                  },
                  1},
                 {[](Sound& s) { s.StartSound("C:\\gone.mp3", true); }, 0},
                 {[](Sound&) {}, 0}};
    for (const auto& c : cases) {
        FakeMci device;
        {
            Sound sound(device, paths);
            c.use(sound);
        }
        EXPECT_TRUE(device.openPath.empty());
        EXPECT_EQ(std::count(device.commands.begin(), device.commands.end(), kClose), c.closes);
    }
    // A player whose open was refused (another holds the alias) leaves it alone.
    FakeMci device;
    Sound first(device, paths);
    ASSERT_TRUE(first.StartSound(kSong, true));
    {
        Sound second(device, paths);
        EXPECT_FALSE(second.StartSound(kOther, false));
    }
    EXPECT_EQ(device.openPath, kSongShort);
}

}  // namespace
}  // namespace brumo
