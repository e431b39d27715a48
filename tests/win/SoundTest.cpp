// The music module on the real media control interface: WAV files written
// here, an MP3 made by tests/win/make_sounds.sh (ctest hands its folder over
// in BRUMO_TEST_SOUND_DIR).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/TextWin32.h"
#include "music/SoundWin32.h"

namespace brumo {
namespace {

constexpr std::int32_t kLengthToleranceMs = 100;
constexpr std::int32_t kMp3LengthMs = 3000;  // what make_sounds.sh encodes
constexpr std::int32_t kWavLengthMs = 2000;
constexpr std::uint32_t kSampleRate = 44100;
constexpr std::size_t kWavHeaderBytes = 44;
constexpr DWORD kSettleMs = 200;
constexpr DWORD kAdvanceMs = 400;
constexpr std::int32_t kLeastAdvanceMs = 200;

std::string Utf8(const std::filesystem::path& path) {
    return WideToUtf8(path.wstring());
}

// A silent PCM WAV file (44.1 kHz, 16-bit, mono) `lengthMs` long; its path
// in UTF-8. The header's two sizes, at bytes 4 and 40, are filled in here.
std::string WriteWav(const std::filesystem::path& path, std::uint32_t lengthMs) {
    std::string bytes(
        "RIFF....WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xAC\0\0\x88\x58\x01\0\x02\0\x10\0"
        "data....",
        kWavHeaderBytes);
    const std::uint32_t dataBytes = kSampleRate * lengthMs / 1000 * 2;
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

// The started sound plays in real time and is `lengthMs` long.
void ExpectPlaying(Sound& sound, std::int32_t lengthMs, const char* what) {
    EXPECT_TRUE(sound.IsSoundPlaying()) << what;
    EXPECT_EQ(sound.GetSoundMode(), "playing") << what;
    const std::int32_t length = sound.GetSoundLength();
    EXPECT_NEAR(length, lengthMs, kLengthToleranceMs) << what;
    std::printf("%s %d ms: MCI length %d ms\n", what, lengthMs, length);
    Sleep(kSettleMs);
    const std::int32_t first = sound.GetSoundPosition();
    Sleep(kAdvanceMs);
    const std::int32_t second = sound.GetSoundPosition();
    EXPECT_GE(second - first, kLeastAdvanceMs) << what << ": " << first << " -> " << second;
    EXPECT_LE(second, length) << what;
}

void ExpectClosed(Sound& sound) {
    EXPECT_FALSE(sound.IsSoundPlaying());
    EXPECT_EQ(sound.GetSoundLength(), 0);
    EXPECT_EQ(sound.GetSoundPosition(), 0);
    EXPECT_EQ(sound.GetSoundMode(), "");
}

// The test's WAV files in a temporary folder with a blank and a non-ASCII
// letter in its name, removed afterwards; the alias closed after every test.
class MciSound : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / L"Brumo Kl\u00e4nge";
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        sound_.StopSound();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path folder_;
    WinMciPort mci_;
    WinShortPath shortPaths_;
    Sound sound_{mci_, shortPaths_};
};

TEST_F(MciSound, WavAndMp3PlayAndStopClosesTheAlias) {
    const std::string wav = WriteWav(folder_ / L"tone two.wav", kWavLengthMs);
    EXPECT_EQ(shortPaths_.ShortPath(Utf8(folder_ / L"missing.wav")), "");
    EXPECT_EQ(shortPaths_.ShortPath(""), "");
    const std::string shortPath = shortPaths_.ShortPath(wav);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    // Through the short path, and on a volume without short names the long
    // path with its blank, quoted; each time the alias is free again after.
    LongPathsOnly longPaths;
    Sound longPathSound(mci_, longPaths);
    for (Sound* sound : {&sound_, &longPathSound}) {
        ASSERT_TRUE(sound->StartSound(wav, false));
        ExpectPlaying(*sound, kWavLengthMs, "WAV");
        sound->StopSound();
        ExpectClosed(*sound);
    }

    wchar_t dir[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"BRUMO_TEST_SOUND_DIR", dir, MAX_PATH) == 0)
        GTEST_SKIP() << "BRUMO_TEST_SOUND_DIR is not set (ctest sets it)";
    const std::string mp3 = Utf8(std::filesystem::path(dir) / L"tone.mp3");
    // The music page's way to learn a length: open, ask, close.
    sound_.OpenSound(mp3);
    EXPECT_NEAR(sound_.GetSoundLength(), kMp3LengthMs, kLengthToleranceMs);
    EXPECT_FALSE(sound_.IsSoundPlaying());
    sound_.StopSound();
    ExpectClosed(sound_);
    ASSERT_TRUE(sound_.StartSound(mp3, true));
    ExpectPlaying(sound_, kMp3LengthMs, "MP3");
}

TEST_F(MciSound, EndRepeatAndRefusedStarts) {
    constexpr DWORD kShortMs = 300;
    constexpr DWORD kEndTimeoutMs = 3000;
    constexpr DWORD kPollMs = 20;
    constexpr DWORD kPlayedAtLeastMs = 250;
    const std::string wav = WriteWav(folder_ / L"short.wav", kShortMs);
    // Played once, it ends but counts as playing, still open, until stopped.
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(sound_.StartSound(wav, false));
    while (sound_.GetSoundMode() == "playing" && GetTickCount64() < start + kEndTimeoutMs)
        Sleep(kPollMs);
    EXPECT_GE(GetTickCount64() - start, kPlayedAtLeastMs);  // it did play, in real time
    EXPECT_NE(sound_.GetSoundMode(), "playing");
    EXPECT_NE(sound_.GetSoundMode(), "");
    EXPECT_TRUE(sound_.IsSoundPlaying());
    sound_.StopSound();
    EXPECT_FALSE(sound_.IsSoundPlaying());

    // Repeated, it plays on past its end, and a second start is refused.
    ASSERT_TRUE(sound_.StartSound(wav, true));
    Sleep(kShortMs * 3);
    EXPECT_EQ(sound_.GetSoundMode(), "playing");
    EXPECT_LE(sound_.GetSoundPosition(), sound_.GetSoundLength());
    EXPECT_FALSE(sound_.StartSound(WriteWav(folder_ / L"second.wav", kWavLengthMs), false));
    EXPECT_EQ(sound_.GetSoundMode(), "playing");
    EXPECT_NEAR(sound_.GetSoundLength(), kShortMs, kLengthToleranceMs);  // still the first
    sound_.StopSound();

    EXPECT_FALSE(sound_.StartSound(Utf8(folder_ / L"missing.wav"), false));
    EXPECT_FALSE(sound_.StartSound("", false));
    ExpectClosed(sound_);
    std::string reply = "left over";
    EXPECT_NE(mci_.SendString("status SworlsSound mode", &reply), 0u);
    EXPECT_EQ(reply, "");
    EXPECT_NE(mci_.SendString("close SworlsSound", nullptr), 0u);
}

}  // namespace
}  // namespace brumo
