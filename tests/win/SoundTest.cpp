// The music module on the real media control interface, where the portable
// logic's unit tests cannot reach: WAV files written here and an MP3 made by
// tests/win/make_sounds.sh (ctest hands its folder over in
// BRUMO_TEST_SOUND_DIR) play in real time through short paths and through
// quoted long paths, and a closed alias answers with an error and no reply.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/TextWin32.h"
#include "music/SoundWin32.h"

namespace brumo {
namespace {

constexpr std::int32_t kToleranceMs = 100;
constexpr std::int32_t kMp3LengthMs = 3000;  // what make_sounds.sh encodes
constexpr std::uint32_t kWavLengthMs = 2000;
constexpr std::size_t kWavHeaderBytes = 44;

std::string Utf8(const std::filesystem::path& path) {
    return WideToUtf8(path.wstring());
}

// A silent PCM WAV file (44.1 kHz, 16-bit, mono) `lengthMs` long; its UTF-8 path.
std::string WriteWav(const std::filesystem::path& path, std::uint32_t lengthMs) {
    std::string bytes(
        "RIFF....WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xAC\0\0\x88\x58\x01\0\x02\0\x10\0"
        "data....",
        kWavHeaderBytes);
    const std::uint32_t dataBytes = 44100 * lengthMs / 1000 * 2;
    const std::uint32_t riffBytes = dataBytes + kWavHeaderBytes - 8;
    std::memcpy(&bytes[4], &riffBytes, 4);
    std::memcpy(&bytes[40], &dataBytes, 4);
    bytes.resize(kWavHeaderBytes + dataBytes, '\0');
    std::ofstream(path, std::ios::binary) << bytes;
    return Utf8(path);
}

// A volume without short names: the path comes back as it is.
class LongPathsOnly : public ShortPathPort {
  public:
    std::string ShortPath(const std::string& longPath) override { return longPath; }
};

// The started sound plays in real time, `lengthMs` long, and stopping closes it.
void ExpectPlaysThenCloses(Sound& sound, std::int32_t lengthMs) {
    EXPECT_EQ(sound.GetSoundMode(), "playing");
    EXPECT_NEAR(sound.GetSoundLength(), lengthMs, kToleranceMs);
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
    const std::string wav = WriteWav(folder / L"tone two.wav", kWavLengthMs);
    WinMciPort mci;
    WinShortPath shortPaths;
    EXPECT_EQ(shortPaths.ShortPath(Utf8(folder / L"missing.wav")), "");
    EXPECT_EQ(shortPaths.ShortPath(wav).find(' '), std::string::npos);
    LongPathsOnly longPaths;
    Sound shortPathSound(mci, shortPaths), longPathSound(mci, longPaths);
    for (Sound* sound : {&shortPathSound, &longPathSound}) {
        ASSERT_TRUE(sound->StartSound(wav, true));
        ExpectPlaysThenCloses(*sound, kWavLengthMs);
    }
    std::string reply = "left over";
    EXPECT_NE(mci.SendString("status SworlsSound mode", &reply), 0u);
    EXPECT_EQ(reply, "");
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    wchar_t dir[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"BRUMO_TEST_SOUND_DIR", dir, MAX_PATH) == 0)
        GTEST_SKIP() << "BRUMO_TEST_SOUND_DIR is not set (ctest sets it)";
    ASSERT_TRUE(shortPathSound.StartSound(Utf8(std::filesystem::path(dir) / L"tone.mp3"), false));
    ExpectPlaysThenCloses(shortPathSound, kMp3LengthMs);
}

}  // namespace
}  // namespace brumo
