// The registry helpers over the recording in-memory registry.
#include <gtest/gtest.h>

#include "FakeRegistry.h"

namespace brumo {
namespace {

using namespace std::string_literals;
using test::FakeRegistry;

const std::string kKey = SectionKeyPath("Settings");

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// Keys open level by level, each closing the one above; a failing level
// closes what was opened; reading never creates; creating asks for the
// key-specific rights only.
TEST(RegistryOpenPath, AFailingLevelClosesWhatWasOpenedAndReadingNeverCreates) {
    FakeRegistry registry;
    registry.Preset("HKEY_LOCAL_MACHINE\\D", "V", "machine");
    registry.Preset("HKEY_CLASSES_ROOT\\D", "V", "classes");
    EXPECT_EQ(ReadRegString(registry, "HKEY_LOCAL_MACHINE\\D", "V"), "machine");
    registry.log.clear();
    registry.Preset("HKEY_CURRENT_USER\\A\\B\\C", "V", "3");
    registry.FailKey("HKEY_CURRENT_USER\\A\\B\\C");
    EXPECT_EQ(ReadRegString(registry, "HKEY_CURRENT_USER\\A\\B\\C", "V"), "");
    EXPECT_FALSE(WriteRegString(registry, "HKEY_CURRENT_USER\\A\\B\\C", "V", "2"));
    EXPECT_EQ(registry.log,
              (std::vector<std::string>{
                  "open HKEY_CURRENT_USER\\A", "open HKEY_CURRENT_USER\\A\\B",
                  "close HKEY_CURRENT_USER\\A", "open HKEY_CURRENT_USER\\A\\B\\C (failed)",
                  "close HKEY_CURRENT_USER\\A\\B", "create HKEY_CURRENT_USER\\A",
                  "create HKEY_CURRENT_USER\\A\\B", "close HKEY_CURRENT_USER\\A",
                  "create HKEY_CURRENT_USER\\A\\B\\C (failed)", "close HKEY_CURRENT_USER\\A\\B"}));
}

// Values are read trimmed, up to the first NUL, within a buffer counted in
// characters (a supplementary one counts two); one that fills the buffer
// loses its last character, a longer one is unread.
TEST(RegistryRead, CutsTrimsAndHoldsTheBufferLimitInCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {" Привет, 雪 ", "Привет, 雪"},
        {std::string(16299, 'y'), std::string(16299, 'y')},
        {std::string(16300, 'y'), std::string(16299, 'y')},
        {Repeat("ü", 16300), Repeat("ü", 16299)},
        {std::string(16301, 'x'), ""},
        {Repeat("\xF0\x9F\x8C\xA8", 8151), ""}};
    for (const auto& [stored, read] : cases) {
        FakeRegistry registry;
        registry.Preset(kKey, "V", stored);
        EXPECT_EQ(ReadRegString(registry, kKey, "V"), read) << stored.size();
    }
}

// Long lists lose whole trailing entries, counting characters; an empty text
// is stored as one NUL.
TEST(RegistryWrite, CreatesTheKeyWritesTheTextAndShortensLongLists) {
    const std::string umlauts = Repeat("ä", 16298);
    const std::string snow = Repeat("\xF0\x9F\x8C\xA8", 8148);  // two units each
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Снег\\雪.mp3", "C:\\Снег\\雪.mp3"},
        {"", "\0"s},
        {"a;" + std::string(16296, 'b'), "a;" + std::string(16296, 'b')},
        {"a;" + std::string(16297, 'b'), "a"},
        {umlauts + ";x", umlauts},
        {"x;" + snow + ";b", "x;" + snow},
        {"x;" + snow + "\xF0\x9F\x8C\xA8;b", "x"}};
    FakeRegistry registry;
    for (const auto& [written, stored] : cases) {
        EXPECT_TRUE(WriteRegString(registry, kKey, "V", written));
        EXPECT_EQ(registry.Stored(kKey, "V"), stored) << written.size();
    }
}

}  // namespace
}  // namespace brumo
