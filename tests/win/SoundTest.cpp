// The music module on the real media control interface: a missing file has
// no short path, a closed alias answers with an error and no reply, and the
// MP3 tests/win/make_sounds.sh makes (ctest names its folder in
// BRUMO_TEST_SOUND_DIR) plays and closes.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "common/TextWin32.h"
#include "music/SoundWin32.h"

namespace brumo {
namespace {

TEST(MciSound, ErrorsLeaveNoTextAndAnMp3PlaysThroughItsShortPath) {
    WinMciPort mci;
    WinShortPath shortPaths;
    const auto missing = std::filesystem::temp_directory_path() / L"Brumo Kl\u00e4nge.wav";
    EXPECT_EQ(shortPaths.ShortPath(WideToUtf8(missing.wstring())), "");
    std::string reply = "left over";
    EXPECT_NE(mci.SendString("status SworlsSound mode", &reply), 0u);
    EXPECT_EQ(reply, "");

    wchar_t dir[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"BRUMO_TEST_SOUND_DIR", dir, MAX_PATH) == 0)
        GTEST_SKIP() << "BRUMO_TEST_SOUND_DIR is not set (ctest sets it)";
    Sound sound(mci, shortPaths);
    ASSERT_TRUE(
        sound.StartSound(WideToUtf8((std::filesystem::path(dir) / L"tone.mp3").wstring()), false));
    EXPECT_EQ(sound.GetSoundMode(), "playing");
    EXPECT_NEAR(sound.GetSoundLength(), 3000, 100);  // what make_sounds.sh encodes
    sound.StopSound();
    EXPECT_EQ(sound.GetSoundMode(), "");  // the alias is closed
}

}  // namespace
}  // namespace brumo
