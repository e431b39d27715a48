// The music module on the real media control interface: a WAV file written
// here and the MP3 tests/win/make_sounds.sh makes (ctest names its folder in
// BRUMO_TEST_SOUND_DIR) play in real time through short and through quoted
// long paths, and a closed alias answers with an error and no reply.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "common/TextWin32.h"
#include "music/SoundWin32.h"

namespace brumo {
namespace {

// A volume without short names: the path comes back as it is.
class LongPathsOnly : public ShortPathPort {
    std::string ShortPath(const std::string& longPath) override { return longPath; }
};

// The sound plays in real time, `lengthMs` long, and stopping closes it.
void ExpectPlaysThenCloses(Sound& sound, std::int32_t lengthMs) {
    EXPECT_EQ(sound.GetSoundMode(), "playing");
    EXPECT_NEAR(sound.GetSoundLength(), lengthMs, 100);
    Sleep(200);
    const std::int32_t first = sound.GetSoundPosition();
    Sleep(400);
    EXPECT_GE(sound.GetSoundPosition() - first, 200);
    sound.StopSound();
    EXPECT_FALSE(sound.IsSoundPlaying());
    EXPECT_EQ(sound.GetSoundMode(), "");  // the alias is closed
}

TEST(MciSound, WavAndMp3PlayThroughShortAndQuotedLongPaths) {
    const auto folder = std::filesystem::temp_directory_path() / L"Brumo Kl\u00e4nge";
    std::filesystem::create_directories(folder);
    // Two seconds of silence: 44.1 kHz, 16-bit, mono.
    constexpr std::uint32_t kDataBytes = 44100 * 2 * 2, kRiffBytes = kDataBytes + 36;
    std::string wav(
        "RIFF....WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xAC\0\0\x88\x58\x01\0\x02\0\x10\0data....", 44);
    std::memcpy(&wav[4], &kRiffBytes, 4);
    std::memcpy(&wav[40], &kDataBytes, 4);
    std::ofstream(folder / L"tone two.wav", std::ios::binary)
        << wav << std::string(kDataBytes, '\0');
    const std::string path = WideToUtf8((folder / L"tone two.wav").wstring());
    WinMciPort mci;
    WinShortPath shortPaths;
    EXPECT_EQ(shortPaths.ShortPath(WideToUtf8((folder / L"missing.wav").wstring())), "");
    EXPECT_EQ(shortPaths.ShortPath(path).find(' '), std::string::npos);
    LongPathsOnly longPaths;
    Sound shortPathSound(mci, shortPaths), longPathSound(mci, longPaths);
    for (Sound* sound : {&shortPathSound, &longPathSound}) {
        ASSERT_TRUE(sound->StartSound(path, true));
        ExpectPlaysThenCloses(*sound, 2000);
    }
    std::string reply = "left over";
    EXPECT_NE(mci.SendString("status SworlsSound mode", &reply), 0u);
    EXPECT_EQ(reply, "");
    std::filesystem::remove_all(folder);

    wchar_t dir[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"BRUMO_TEST_SOUND_DIR", dir, MAX_PATH) == 0)
        GTEST_SKIP() << "BRUMO_TEST_SOUND_DIR is not set (ctest sets it)";
    ASSERT_TRUE(shortPathSound.StartSound(
        WideToUtf8((std::filesystem::path(dir) / L"tone.mp3").wstring()), false));
    ExpectPlaysThenCloses(shortPathSound, 3000);  // what make_sounds.sh encodes
}

}  // namespace
}  // namespace brumo
