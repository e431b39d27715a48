// The background music module: command texts, their order, how results and
// status replies are read, and the close when a player goes away.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "music/Sound.h"

namespace brumo {
namespace {

using Log = std::vector<std::string>;
const std::string kSuffix = " type MPEGVideo alias SworlsSound";

// One alias as the media interface keeps it: a second open is refused while
// it is in use, commands to a closed alias fail with an empty reply. Every
// command goes to the shared log.
class FakeMci : public MciPort {
  public:
    explicit FakeMci(Log& log) : log_(log) {}
    std::set<std::string> playable = {"C:\\MUSIC~1\\WINTER~1.MP3", "C:\\bells.wav",
                                      "\"D:\\My Music\\long.wma\""};
    std::uint32_t playResult = 0;
    std::map<std::string, std::string> status = {
        {"length", "183000"}, {"position", "1200"}, {"mode", "playing"}};
    std::string openPath;

    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        log_.push_back(command);
        if (reply != nullptr) reply->clear();
        if (command.starts_with("open ") && command.ends_with(kSuffix)) {
            const std::string path = command.substr(5, command.size() - 5 - kSuffix.size());
            if (!openPath.empty() || !playable.contains(path)) return 289;
            openPath = path;
            return 0;
        }
        if (openPath.empty()) return 263;
        if (command.starts_with("play ")) return playResult;
        if (command == "close SworlsSound") openPath.clear();
        if (command.starts_with("status SworlsSound ") && reply != nullptr)
            *reply = status[command.substr(19)];
        return 0;
    }

  private:
    Log& log_;
};

// Short names: the song has one, the others come back as they are.
class FakeShortPaths : public ShortPathPort {
  public:
    std::string ShortPath(const std::string& path) override {
        if (path == "C:\\Music\\Winter song.mp3") return "C:\\MUSIC~1\\WINTER~1.MP3";
        return path == "C:\\bells.wav" || path == "D:\\My Music\\long.wma" ? path : "";
    }
};

// Runs the steps and answers the log: each command the device got, and each
// step's result as "=...". Steps: "+file" starts looped, "-file" once,
// "o file" opens, "x" stops, "L", "P", "M" ask length, position and mode,
// "?" asks the playing flag, "new" adds a second player, "~" ends the newest
// player, "!play" makes plays fail, "!mode=..." sets the mode reply.
Log Play(const std::vector<std::string>& steps) {
    const std::map<std::string, std::string> files = {{"song", "C:\\Music\\Winter song.mp3"},
                                                      {"bells", "C:\\bells.wav"},
                                                      {"long", "D:\\My Music\\long.wma"},
                                                      {"gone", "C:\\gone.mp3"},
                                                      {"", ""}};
    Log log;
    FakeMci mci(log);
    FakeShortPaths paths;
    std::vector<std::unique_ptr<Sound>> players;
    players.push_back(std::make_unique<Sound>(mci, paths));
    for (const std::string& step : steps) {
        Sound& sound = *players.back();
        const std::string file = step.size() > 1 ? step.substr(step[0] == 'o' ? 2 : 1) : "";
        if (step[0] == '+' || step[0] == '-')
            log.push_back(sound.StartSound(files.at(file), step[0] == '+') ? "=1" : "=0");
        if (step[0] == 'o') sound.OpenSound(files.at(file));
        if (step == "x") sound.StopSound();
        if (step == "L") log.push_back("=" + std::to_string(sound.GetSoundLength()));
        if (step == "P") log.push_back("=" + std::to_string(sound.GetSoundPosition()));
        if (step == "M") log.push_back("=" + sound.GetSoundMode());
        if (step == "?") log.push_back(sound.IsSoundPlaying() ? "=1" : "=0");
        if (step == "new") players.push_back(std::make_unique<Sound>(mci, paths));
        if (step == "~") players.pop_back();
        if (step == "!play") mci.playResult = 257;
        if (step.starts_with("!mode=")) mci.status["mode"] = step.substr(6);
    }
    return log;
}

const std::string OS = "open C:\\MUSIC~1\\WINTER~1.MP3" + kSuffix,
                  OB = "open C:\\bells.wav" + kSuffix, PR = "play SworlsSound from 0 repeat",
                  P1 = "play SworlsSound from 0", ST = "stop SworlsSound", CL = "close SworlsSound",
                  SL = "status SworlsSound length", SP = "status SworlsSound position",
                  SM = "status SworlsSound mode";

TEST(Sound, CommandSequences) {
    const struct {
        std::vector<std::string> steps;
        Log log;
    } cases[] = {
        // clang-format off
        // Missing or empty files send nothing.
        {{"o", "+", "-gone", "?"}, {"=0", "=0", "=0"}},
        {{"+song", "?", "x", "?", "-bells", "?"}, {OS, PR, "=1", "=1", ST, CL, "=0", OB, P1, "=1",
            "=1", ST, CL}},
        // A refused play leaves the device open until the next stop.
        {{"!play", "-bells", "?", "-song", "x", "-song"}, {OB, P1, "=0", "=0", OS, "=0", ST, CL,
            OS, P1, "=0", ST, CL}},
        // A second start while playing is refused; the first plays on.
        {{"+song", "-bells", "?", "M"}, {OS, PR, "=1", OB, "=0", "=1", SM, "=playing", ST, CL}},
        // Opened for the length only; a closed alias answers 0 and nothing.
        {{"o song", "?", "L", "x", "L", "P", "M"}, {OS, "=0", SL, "=183000", ST, CL, SL, "=0", SP,
            "=0", SM, "="}},
        // The flag lasts until the stop, also after the sound came to its end;
        // only a path with a blank is quoted.
        {{"-long", "!mode=stopped", "M", "?", "x", "?"},
         {"open \"D:\\My Music\\long.wma\"" + kSuffix, P1, "=1", SM, "=stopped", "=1", ST, CL,
             "=0"}},
        // A player that goes away closes what it opened, and only that.
        {{"-song", "x", "~"}, {OS, P1, "=1", ST, CL}},
        {{"-gone", "~"}, {"=0"}},
        {{"+song", "new", "-bells", "~", "P", "~"}, {OS, PR, "=1", OB, "=0", SP, "=1200", ST, CL}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(Play(c.steps), c.log) << ::testing::PrintToString(c.steps);
}

TEST(Sound, StatusRepliesAreReadByTheNumberRule) {
    const std::map<std::string, std::int32_t> cases = {
        {"abc", 0}, {"12x", 12}, {"2.5", 2}, {"3.5", 4}, {"3000000000", 2147483647}};
    for (const auto& [reply, value] : cases) {
        Log log;
        FakeMci mci(log);
        FakeShortPaths paths;
        Sound sound(mci, paths);
        ASSERT_TRUE(sound.StartSound("C:\\bells.wav", true));
        mci.status["length"] = mci.status["position"] = reply;
        EXPECT_EQ(sound.GetSoundLength(), value) << reply;
        EXPECT_EQ(sound.GetSoundPosition(), value) << reply;
    }
}

}  // namespace
}  // namespace brumo
