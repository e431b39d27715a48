// The background music module: the commands it sends, their order, and the
// close when a player goes away.
#include <gtest/gtest.h>

#include <string>

#include "music/Sound.h"

namespace brumo {
namespace {

// One alias as the media interface keeps it: a second open is refused while
// it is in use. Only the song has a short name of its own.
class FakeMci : public MciPort, public ShortPathPort {
  public:
    std::string log;
    std::string ShortPath(const std::string& path) override {
        return path == "C:\\Music\\Winter song.mp3" ? "C:\\MUSIC~1\\WINTER~1.MP3" : path;
    }
    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        log += command + "|";
        if (reply != nullptr) *reply = command == "status SworlsSound position" ? "1200" : "";
        if (command.starts_with("open ")) return open_ ? 289 : (open_ = true, 0);
        if (command == "close SworlsSound") open_ = false;
        return 0;
    }

  private:
    bool open_ = false;
};

// A second player is refused while the first plays, and closes nothing when it
// goes away; the first closes its alias when it goes away.
TEST(Sound, PlayersCloseOnlyWhatTheyOpened) {
    FakeMci mci;
    {
        Sound first(mci, mci);
        EXPECT_TRUE(first.StartSound("C:\\Music\\Winter song.mp3", true));
        EXPECT_FALSE(Sound(mci, mci).StartSound("C:\\bells.wav", false));
        EXPECT_EQ(first.GetSoundPosition(), 1200);
    }
    const std::string suffix = " type MPEGVideo alias SworlsSound|";
    EXPECT_EQ(mci.log, "open C:\\MUSIC~1\\WINTER~1.MP3" + suffix +
                           "play SworlsSound from 0 repeat|open C:\\bells.wav" + suffix +
                           "status SworlsSound position|stop SworlsSound|close SworlsSound|");
}

}  // namespace
}  // namespace brumo
