// The background music module: command texts, their order, and how the
// results and status replies are read.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "music/Sound.h"

namespace brumo {
namespace {

// Status codes the fake device answers with (the values winmm uses).
constexpr std::uint32_t kErrFileNotFound = 275;
constexpr std::uint32_t kErrInvalidDevice = 263;
constexpr std::uint32_t kErrDuplicateAlias = 289;
constexpr std::uint32_t kErrCannotPlay = 257;

const std::string kAliasSuffix = " type MPEGVideo alias SworlsSound";

// A device behind one alias, as the media control interface keeps it: an open
// while the alias is in use is refused, and commands to a closed alias fail
// with an empty reply. Every command is recorded in order.
class FakeMci : public MciPort {
  public:
    std::vector<std::string> commands;
    // Paths, as they stand in the open command, that the device can open.
    std::set<std::string> playable;
    std::uint32_t playResult = 0;
    // Replies to "status SworlsSound <item>" while the alias is open.
    std::map<std::string, std::string> status;
    // The path of the open file; empty while the alias is closed.
    std::string openPath;

    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        commands.push_back(command);
        if (reply != nullptr) reply->clear();
        const std::string open = "open ";
        if (command.starts_with(open) && command.ends_with(kAliasSuffix)) {
            if (!openPath.empty()) return kErrDuplicateAlias;
            const std::string path =
                command.substr(open.size(), command.size() - open.size() - kAliasSuffix.size());
            if (!playable.contains(path)) return kErrFileNotFound;
            openPath = path;
            return 0;
        }
        if (openPath.empty()) return kErrInvalidDevice;
        if (command == "play SworlsSound from 0" || command == "play SworlsSound from 0 repeat")
            return playResult;
        if (command == "stop SworlsSound") return 0;
        if (command == "close SworlsSound") {
            openPath.clear();
            return 0;
        }
        const std::string statusPrefix = "status SworlsSound ";
        if (command.starts_with(statusPrefix) && reply != nullptr) {
            const auto item = status.find(command.substr(statusPrefix.size()));
            if (item == status.end()) return kErrInvalidDevice;
            *reply = item->second;
            return 0;
        }
        return kErrInvalidDevice;
    }
};

class FakeShortPaths : public ShortPathPort {
  public:
    std::map<std::string, std::string> shortNames;  // existing files: long -> short
    std::string ShortPath(const std::string& longPath) override {
        const auto found = shortNames.find(longPath);
        return found == shortNames.end() ? std::string() : found->second;
    }
};

const std::string kSong = "C:\\Users\\Ann\\My Music\\Winter song.mp3";
const std::string kSongShort = "C:\\Users\\Ann\\MYMUSI~1\\WINTER~1.MP3";
const std::string kOther = "C:\\Sounds\\bells.wav";
const std::string kOtherShort = "C:\\Sounds\\bells.wav";

const std::string kOpenSong = "open " + kSongShort + kAliasSuffix;
const std::string kOpenOther = "open " + kOtherShort + kAliasSuffix;

struct SoundFixture : ::testing::Test {
    SoundFixture() {
        paths.shortNames = {{kSong, kSongShort}, {kOther, kOtherShort}};
        mci.playable = {kSongShort, kOtherShort};
        mci.status = {{"length", "183000"}, {"position", "1200"}, {"mode", "playing"}};
    }
    FakeMci mci;
    FakeShortPaths paths;
    Sound sound{mci, paths};
};

using Commands = std::vector<std::string>;

TEST_F(SoundFixture, MissingOrEmptyFileSendsNothing) {
    EXPECT_FALSE(sound.StartSound("", true));
    EXPECT_FALSE(sound.StartSound("C:\\gone.mp3", false));
    sound.OpenSound("");
    sound.OpenSound("C:\\gone.mp3");
    EXPECT_TRUE(mci.commands.empty());
    EXPECT_FALSE(sound.IsSoundPlaying());
}

TEST_F(SoundFixture, StartOpensThenPlaysFromTheStart) {
    EXPECT_TRUE(sound.StartSound(kSong, true));
    EXPECT_EQ(mci.commands, (Commands{kOpenSong, "play SworlsSound from 0 repeat"}));
    EXPECT_TRUE(sound.IsSoundPlaying());

    sound.StopSound();
    EXPECT_EQ(mci.commands, (Commands{kOpenSong, "play SworlsSound from 0 repeat",
                                      "stop SworlsSound", "close SworlsSound"}));
    EXPECT_FALSE(sound.IsSoundPlaying());
    EXPECT_TRUE(mci.openPath.empty());

    mci.commands.clear();
    EXPECT_TRUE(sound.StartSound(kOther, false));
    EXPECT_EQ(mci.commands, (Commands{kOpenOther, "play SworlsSound from 0"}));
    EXPECT_TRUE(sound.IsSoundPlaying());
}

TEST_F(SoundFixture, RefusedOpenOrPlayReturnsFalse) {
    // The device cannot open the file: no play command follows.
    mci.playable.erase(kSongShort);
    EXPECT_FALSE(sound.StartSound(kSong, true));
    EXPECT_EQ(mci.commands, (Commands{kOpenSong}));
    EXPECT_FALSE(sound.IsSoundPlaying());

    // The play command fails: the device stays open until the next stop.
    mci.commands.clear();
    mci.playResult = kErrCannotPlay;
    EXPECT_FALSE(sound.StartSound(kOther, false));
    EXPECT_EQ(mci.commands, (Commands{kOpenOther, "play SworlsSound from 0"}));
    EXPECT_FALSE(sound.IsSoundPlaying());
    EXPECT_EQ(mci.openPath, kOtherShort);

    mci.commands.clear();
    sound.StopSound();
    EXPECT_EQ(mci.commands, (Commands{"stop SworlsSound", "close SworlsSound"}));
    EXPECT_TRUE(mci.openPath.empty());
}

TEST_F(SoundFixture, SecondStartWhileTheAliasIsOpenIsRefused) {
    ASSERT_TRUE(sound.StartSound(kSong, true));
    mci.commands.clear();
    EXPECT_FALSE(sound.StartSound(kOther, false));
    EXPECT_EQ(mci.commands, (Commands{kOpenOther}));
    EXPECT_EQ(mci.openPath, kSongShort);  // the first sound plays on
    EXPECT_TRUE(sound.IsSoundPlaying());

    // OpenSound is refused the same way, and does not touch the flag.
    sound.StopSound();
    sound.OpenSound(kOther);
    mci.commands.clear();
    EXPECT_FALSE(sound.StartSound(kSong, false));
    EXPECT_EQ(mci.commands, (Commands{kOpenSong}));
    EXPECT_FALSE(sound.IsSoundPlaying());
    EXPECT_EQ(mci.openPath, kOtherShort);
}

TEST_F(SoundFixture, OpenSoundOnlyOpensForTheLength) {
    sound.OpenSound(kSong);
    EXPECT_EQ(mci.commands, (Commands{kOpenSong}));
    EXPECT_FALSE(sound.IsSoundPlaying());
    EXPECT_EQ(sound.GetSoundLength(), 183000);
    sound.StopSound();
    EXPECT_EQ(mci.commands, (Commands{kOpenSong, "status SworlsSound length", "stop SworlsSound",
                                      "close SworlsSound"}));

    // A refused open is not looked at.
    mci.playable.clear();
    mci.commands.clear();
    sound.OpenSound(kSong);
    EXPECT_EQ(mci.commands, (Commands{kOpenSong}));
    EXPECT_TRUE(mci.openPath.empty());
}

TEST_F(SoundFixture, PlayingFlagLastsUntilStopEvenAfterTheSoundEnded) {
    ASSERT_TRUE(sound.StartSound(kSong, false));
    EXPECT_EQ(sound.GetSoundMode(), "playing");
    mci.status["mode"] = "stopped";  // the sound came to its end
    mci.status["position"] = "183000";
    EXPECT_EQ(sound.GetSoundMode(), "stopped");
    EXPECT_EQ(sound.GetSoundPosition(), 183000);
    EXPECT_TRUE(sound.IsSoundPlaying());
    sound.StopSound();
    EXPECT_FALSE(sound.IsSoundPlaying());
    // Stopping again is harmless: the same two commands, both failing quietly.
    mci.commands.clear();
    sound.StopSound();
    EXPECT_EQ(mci.commands, (Commands{"stop SworlsSound", "close SworlsSound"}));
    EXPECT_FALSE(sound.IsSoundPlaying());
}

TEST_F(SoundFixture, StatusOfAClosedAliasIsZeroAndEmpty) {
    ASSERT_TRUE(sound.StartSound(kSong, true));
    EXPECT_EQ(sound.GetSoundLength(), 183000);
    EXPECT_EQ(sound.GetSoundPosition(), 1200);
    sound.StopSound();
    mci.commands.clear();
    EXPECT_EQ(sound.GetSoundLength(), 0);
    EXPECT_EQ(sound.GetSoundPosition(), 0);
    EXPECT_EQ(sound.GetSoundMode(), "");
    EXPECT_EQ(mci.commands, (Commands{"status SworlsSound length", "status SworlsSound position",
                                      "status SworlsSound mode"}));
}

TEST_F(SoundFixture, StatusRepliesAreReadByTheNumberRule) {
    ASSERT_TRUE(sound.StartSound(kSong, true));
    const struct {
        const char* reply;
        std::int32_t value;
    } cases[] = {
        {"abc", 0},      {"", 0},    {"12x", 12},   {"3.5", 4},   {"2.5", 2},
        {" 1500", 1500}, {"-7", -7}, {"1e3", 1000}, {"&H10", 16}, {"3000000000", 2147483647},
    };
    for (const auto& c : cases) {
        mci.status["length"] = c.reply;
        mci.status["position"] = c.reply;
        EXPECT_EQ(sound.GetSoundLength(), c.value) << '"' << c.reply << '"';
        EXPECT_EQ(sound.GetSoundPosition(), c.value) << '"' << c.reply << '"';
    }
    // The mode is the reply text as it is.
    mci.status["mode"] = "paused";
    EXPECT_EQ(sound.GetSoundMode(), "paused");
    mci.status["mode"] = "not ready";
    EXPECT_EQ(sound.GetSoundMode(), "not ready");
}

TEST_F(SoundFixture, OnlyAPathWithABlankIsQuoted) {
    // A volume without short names gives the long path back.
    const std::string longOnly = "D:\\Shared Music\\Snow fall.wma";
    paths.shortNames[longOnly] = longOnly;
    const std::string quoted = "\"" + longOnly + "\"";
    mci.playable.insert(quoted);
    EXPECT_TRUE(sound.StartSound(longOnly, false));
    EXPECT_EQ(mci.commands, (Commands{"open " + quoted + kAliasSuffix, "play SworlsSound from 0"}));
    sound.StopSound();

    mci.commands.clear();
    sound.OpenSound(longOnly);
    EXPECT_EQ(mci.commands, (Commands{"open " + quoted + kAliasSuffix}));
    sound.StopSound();

    // Without a blank the path stands bare, short form or not.
    const std::string bare = "D:\\Shared_Music\\Snow_fall.mid";
    paths.shortNames[bare] = bare;
    mci.playable.insert(bare);
    mci.commands.clear();
    EXPECT_TRUE(sound.StartSound(bare, true));
    EXPECT_EQ(mci.commands,
              (Commands{"open D:\\Shared_Music\\Snow_fall.mid type MPEGVideo alias SworlsSound",
                        "play SworlsSound from 0 repeat"}));
}

}  // namespace
}  // namespace brumo
