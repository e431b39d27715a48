// The music module on the real media control interface: WAV files written
// here, an MP3 made by tests/win/make_sounds.sh (ctest hands its folder over
// in BRUMO_TEST_SOUND_DIR).
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "common/TextWin32.h"
#include "music/SoundWin32.h"

namespace brumo {
namespace {

constexpr std::int32_t kLengthToleranceMs = 100;
constexpr std::int32_t kMp3LengthMs = 3000;  // what make_sounds.sh encodes
constexpr int kSampleRate = 44100;
constexpr double kToneHz = 440.0;
constexpr double kToneAmplitude = 8000.0;

// A PCM WAV file: 44.1 kHz, 16-bit, mono, a sine tone of `lengthMs`.
void WriteWav(const std::filesystem::path& path, int lengthMs) {
    const std::uint32_t samples = static_cast<std::uint32_t>(kSampleRate) * lengthMs / 1000;
    const std::uint32_t dataBytes = samples * 2;
    std::vector<char> bytes;
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    auto tag = [&bytes](const char* text) { bytes.insert(bytes.end(), text, text + 4); };
    tag("RIFF");
    put(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);               // format chunk size
    put(1, 2);                // PCM
    put(1, 2);                // one channel
    put(kSampleRate, 4);      // samples a second
    put(kSampleRate * 2, 4);  // bytes a second
    put(2, 2);                // bytes a sample frame
    put(16, 2);               // bits a sample
    tag("data");
    put(dataBytes, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const auto value = static_cast<std::int16_t>(
            std::lround(kToneAmplitude * std::sin(2.0 * std::numbers::pi * kToneHz * t)));
        put(static_cast<std::uint16_t>(value), 2);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Utf8(const std::filesystem::path& path) {
    return WideToUtf8(path.wstring());
}

// Waits until `done` holds or `timeoutMs` passed; the last answer of `done`.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
    return true;
}

// A volume without short names: the path comes back as it is.
class LongPathsOnly : public ShortPathPort {
  public:
    std::string ShortPath(const std::string& longPath) override { return longPath; }
};

// A folder with a blank (and a non-ASCII letter) in its name under the
// temporary folder, holding the test's WAV files; removed afterwards. The
// alias is closed after every test, whatever it checked.
class MciSound : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::filesystem::path(temp) / L"Brumo Kl\u00e4nge";
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        sound_.StopSound();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string Wav(const wchar_t* name, int lengthMs) {
        const std::filesystem::path path = folder_ / name;
        WriteWav(path, lengthMs);
        return Utf8(path);
    }

    std::filesystem::path folder_;
    WinMciPort mci_;
    WinShortPath shortPaths_;
    Sound sound_{mci_, shortPaths_};
};

TEST_F(MciSound, WavPlaysAndStopClosesTheAlias) {
    const std::string wav = Wav(L"tone two.wav", 2000);
    ASSERT_TRUE(sound_.StartSound(wav, false));
    EXPECT_TRUE(sound_.IsSoundPlaying());
    EXPECT_EQ(sound_.GetSoundMode(), "playing");
    const std::int32_t length = sound_.GetSoundLength();
    EXPECT_NEAR(length, 2000, kLengthToleranceMs);
    std::printf("WAV 2000 ms: MCI length %d ms\n", length);

    Sleep(200);
    const std::int32_t first = sound_.GetSoundPosition();
    Sleep(400);
    const std::int32_t second = sound_.GetSoundPosition();
    EXPECT_GT(first, 0);
    EXPECT_GE(second - first, 200) << first << " -> " << second;
    EXPECT_LE(second, length);
    EXPECT_EQ(sound_.GetSoundMode(), "playing");

    sound_.StopSound();
    EXPECT_FALSE(sound_.IsSoundPlaying());
    EXPECT_EQ(sound_.GetSoundLength(), 0);
    EXPECT_EQ(sound_.GetSoundPosition(), 0);
    EXPECT_EQ(sound_.GetSoundMode(), "");

    // The alias is free again.
    ASSERT_TRUE(sound_.StartSound(wav, true));
    EXPECT_EQ(sound_.GetSoundMode(), "playing");
    EXPECT_NEAR(sound_.GetSoundLength(), 2000, kLengthToleranceMs);
}

TEST_F(MciSound, Mp3HasItsLengthAndPlays) {
    wchar_t dir[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"BRUMO_TEST_SOUND_DIR", dir, MAX_PATH) == 0)
        GTEST_SKIP() << "BRUMO_TEST_SOUND_DIR is not set (ctest sets it)";
    const std::string mp3 = Utf8(std::filesystem::path(dir) / L"tone.mp3");

    // The music page's way to learn a length.
    sound_.OpenSound(mp3);
    const std::int32_t length = sound_.GetSoundLength();
    EXPECT_NEAR(length, kMp3LengthMs, kLengthToleranceMs);
    std::printf("MP3 %d ms: MCI length %d ms\n", kMp3LengthMs, length);
    EXPECT_FALSE(sound_.IsSoundPlaying());
    sound_.StopSound();
    EXPECT_EQ(sound_.GetSoundLength(), 0);

    ASSERT_TRUE(sound_.StartSound(mp3, true));
    EXPECT_EQ(sound_.GetSoundMode(), "playing");
    Sleep(200);
    const std::int32_t first = sound_.GetSoundPosition();
    Sleep(400);
    const std::int32_t second = sound_.GetSoundPosition();
    EXPECT_GE(second - first, 200) << first << " -> " << second;
    EXPECT_NEAR(sound_.GetSoundLength(), kMp3LengthMs, kLengthToleranceMs);
}

TEST_F(MciSound, OncePlayedSoundEndsButCountsAsPlayingUntilStop) {
    const std::string wav = Wav(L"short.wav", 300);
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(sound_.StartSound(wav, false));
    EXPECT_TRUE(WaitFor([this] { return sound_.GetSoundMode() != "playing"; }, 3000));
    EXPECT_GE(GetTickCount64() - start, 250u);    // it did play, in real time
    EXPECT_FALSE(sound_.GetSoundMode().empty());  // still open
    EXPECT_TRUE(sound_.IsSoundPlaying());
    sound_.StopSound();
    EXPECT_FALSE(sound_.IsSoundPlaying());
}

TEST_F(MciSound, RepeatPlaysOnPastTheEnd) {
    ASSERT_TRUE(sound_.StartSound(Wav(L"short.wav", 300), true));
    Sleep(1000);
    EXPECT_EQ(sound_.GetSoundMode(), "playing");
    EXPECT_LE(sound_.GetSoundPosition(), sound_.GetSoundLength());
}

TEST_F(MciSound, SecondStartAndMissingFilesAreRefused) {
    const std::string first = Wav(L"first.wav", 2000);
    const std::string second = Wav(L"second.wav", 500);
    ASSERT_TRUE(sound_.StartSound(first, true));
    EXPECT_FALSE(sound_.StartSound(second, false));
    EXPECT_EQ(sound_.GetSoundMode(), "playing");
    EXPECT_NEAR(sound_.GetSoundLength(), 2000, kLengthToleranceMs);  // still the first
    sound_.StopSound();

    EXPECT_FALSE(sound_.StartSound(Utf8(folder_ / L"missing.wav"), false));
    EXPECT_FALSE(sound_.StartSound("", false));
    EXPECT_FALSE(sound_.IsSoundPlaying());
    EXPECT_EQ(sound_.GetSoundMode(), "");
}

TEST_F(MciSound, ShortPathsAndLongPathsWithABlankPlay) {
    const std::string wav = Wav(L"tone two.wav", 2000);
    EXPECT_EQ(shortPaths_.ShortPath(Utf8(folder_ / L"missing.wav")), "");
    EXPECT_EQ(shortPaths_.ShortPath(""), "");
    const std::string shortPath = shortPaths_.ShortPath(wav);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;

    // A volume without short names: the long path goes to the device quoted.
    LongPathsOnly longPaths;
    Sound sound(mci_, longPaths);
    ASSERT_TRUE(sound.StartSound(wav, false));
    EXPECT_EQ(sound.GetSoundMode(), "playing");
    EXPECT_NEAR(sound.GetSoundLength(), 2000, kLengthToleranceMs);
    sound.StopSound();
    EXPECT_EQ(sound.GetSoundMode(), "");
}

TEST(WinMciPort, RepliesAndStatusCodes) {
    WinMciPort mci;
    std::string reply = "left over";
    EXPECT_NE(mci.SendString("status SworlsSound mode", &reply), 0u);
    EXPECT_EQ(reply, "");
    EXPECT_NE(mci.SendString("close SworlsSound", nullptr), 0u);
}

}  // namespace
}  // namespace brumo
