// The background music module: command texts, their order, how results and
// status replies are read, and the close when a player goes away.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "music/Sound.h"

namespace brumo {
namespace {

const std::string kSuffix = " type MPEGVideo alias SworlsSound";
// Short codes of the commands expected; any other command is logged in full.
// clang-format off
const std::map<std::string, std::string> kCodes = {
    {"open C:\\MUSIC~1\\WINTER~1.MP3" + kSuffix, "OS"}, {"open C:\\bells.wav" + kSuffix, "OB"},
    {"open \"D:\\My Music\\long.wma\"" + kSuffix, "OL"}, {"play SworlsSound from 0 repeat", "PR"},
    {"play SworlsSound from 0", "P1"}, {"stop SworlsSound", "ST"}, {"close SworlsSound", "CL"},
    {"status SworlsSound length", "SL"}, {"status SworlsSound position", "SP"},
    {"status SworlsSound mode", "SM"}};
// clang-format on

// One alias as the media interface keeps it: a second open is refused while
// it is in use, commands to a closed alias fail with an empty reply. Short
// names: the song has one, the others come back as they are, a missing file
// has none.
class FakeMci : public MciPort, public ShortPathPort {
  public:
    std::string log;
    std::uint32_t playResult = 0;
    std::map<std::string, std::string> status = {
        {"length", "183000"}, {"position", "1200"}, {"mode", "playing"}};

    std::string ShortPath(const std::string& path) override {
        if (path == "C:\\Music\\Winter song.mp3") return "C:\\MUSIC~1\\WINTER~1.MP3";
        return path == "C:\\bells.wav" || path == "D:\\My Music\\long.wma" ? path : "";
    }
    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        log += (kCodes.contains(command) ? kCodes.at(command) : "[" + command + "]") + " ";
        if (reply != nullptr) reply->clear();
        if (command.starts_with("open ") && command.ends_with(kSuffix)) {
            if (open_) return 289;
            open_ = true;
            return 0;
        }
        if (!open_) return 263;
        if (command.starts_with("play ")) return playResult;
        if (command == "close SworlsSound") open_ = false;
        if (command.starts_with("status SworlsSound ") && reply != nullptr)
            *reply = status[command.substr(19)];
        return 0;
    }

  private:
    bool open_ = false;
};

// Runs the steps and answers the log: each command the device got, and each
// step's result as "=...". Steps: "+file" starts looped, "-file" once,
// "ofile" opens, "x" stops, "L", "P", "M" ask length, position and mode,
// "?" asks the playing flag, "new" adds a second player, "~" ends the newest
// player, "!" makes plays fail, "m=..." sets the mode reply and "n=..." the
// length and position replies.
std::string Play(const std::string& steps) {
    // clang-format off
    const std::map<std::string, std::string> files = {{"song", "C:\\Music\\Winter song.mp3"},
        {"bells", "C:\\bells.wav"}, {"long", "D:\\My Music\\long.wma"},
        {"gone", "C:\\gone.mp3"}, {"", ""}};
    // clang-format on
    FakeMci mci;
    std::vector<std::unique_ptr<Sound>> players;
    players.push_back(std::make_unique<Sound>(mci, mci));
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        Sound& sound = *players.back();
        const std::string rest = step.substr(1);
        if (step[0] == '+' || step[0] == '-')
            mci.log += sound.StartSound(files.at(rest), step[0] == '+') ? "=1 " : "=0 ";
        if (step[0] == 'o') sound.OpenSound(files.at(rest));
        if (step == "x") sound.StopSound();
        if (step == "L") mci.log += "=" + std::to_string(sound.GetSoundLength()) + " ";
        if (step == "P") mci.log += "=" + std::to_string(sound.GetSoundPosition()) + " ";
        if (step == "M") mci.log += "=" + sound.GetSoundMode() + " ";
        if (step == "?") mci.log += sound.IsSoundPlaying() ? "=1 " : "=0 ";
        if (step == "new") players.push_back(std::make_unique<Sound>(mci, mci));
        if (step == "~") players.pop_back();
        if (step == "!") mci.playResult = 257;
        if (step.starts_with("m=")) mci.status["mode"] = rest.substr(1);
        if (step.starts_with("n=")) mci.status["length"] = mci.status["position"] = rest.substr(1);
    }
    players.clear();
    return mci.log;
}

TEST(Sound, CommandSequences) {
    const std::pair<const char*, const char*> cases[] = {
        // clang-format off
        // Missing or empty files send nothing.
        {"o + -gone ?", "=0 =0 =0 "},
        {"+song ? x ? -bells ?", "OS PR =1 =1 ST CL =0 OB P1 =1 =1 ST CL "},
        // A refused play leaves the device open until the next stop.
        {"! -bells ? -song x -song", "OB P1 =0 =0 OS =0 ST CL OS P1 =0 ST CL "},
        // A second start while playing is refused; the first plays on.
        {"+song -bells ? M", "OS PR =1 OB =0 =1 SM =playing ST CL "},
        // Opened for the length only; a closed alias answers 0 and nothing.
        {"osong ? L x L P M", "OS =0 SL =183000 ST CL SL =0 SP =0 SM = "},
        // The flag lasts until the stop, also after the sound came to its end;
        // only a path with a blank is quoted.
        {"-long m=stopped M ? x ?", "OL P1 =1 SM =stopped =1 ST CL =0 "},
        // A player that goes away closes what it opened, and only that.
        {"-song x ~", "OS P1 =1 ST CL "}, {"-gone ~", "=0 "},
        {"+song new -bells ~ P ~", "OS PR =1 OB =0 SP =1200 ST CL "},
        // Status replies are read by the number rule.
        {"-bells n=abc L P n=12x L n=2.5 P n=3.5 L n=3000000000 P",
         "OB P1 =1 SL =0 SP =0 SL =12 SP =2 SL =4 SP =2147483647 ST CL "},
        // clang-format on
    };
    for (const auto& [steps, log] : cases) EXPECT_EQ(Play(steps), log) << steps;
}

}  // namespace
}  // namespace brumo
