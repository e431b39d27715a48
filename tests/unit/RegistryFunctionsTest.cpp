// The registry helpers over the recording in-memory registry.
#include <gtest/gtest.h>

#include "FakeRegistry.h"

namespace brumo {
namespace {

const std::string kKey = SectionKeyPath("Settings");

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// Keys open level by level, each closing the one above; a failing level
// closes what was opened; reading never creates; creating asks for the
// key-specific rights only. The About box reads the machine root.
TEST(RegistryOpenPath, AFailingLevelClosesWhatWasOpenedAndReadingNeverCreates) {
    test::FakeRegistry registry;
    registry.Preset("HKEY_CURRENT_USER\\A", "V", "1");
    EXPECT_EQ(ReadRegString(registry, "HKEY_CURRENT_USER\\A\\B", "V"), "");
    EXPECT_TRUE(WriteRegString(registry, "HKEY_CURRENT_USER\\A\\B", "V", "2"));
    EXPECT_EQ(registry.log,
              (std::vector<std::string>{
                  "open HKEY_CURRENT_USER\\A", "open HKEY_CURRENT_USER\\A\\B (failed)",
                  "close HKEY_CURRENT_USER\\A", "create HKEY_CURRENT_USER\\A",
                  "create HKEY_CURRENT_USER\\A\\B", "close HKEY_CURRENT_USER\\A", "set V",
                  "close HKEY_CURRENT_USER\\A\\B"}));
    registry.Preset("HKEY_LOCAL_MACHINE\\D", "V", "machine");
    EXPECT_EQ(ReadRegString(registry, "HKEY_LOCAL_MACHINE\\D", "V"), "machine");
}

// Through the writer and back out of the reader: long lists lose whole
// trailing entries and an empty text is stored as one NUL; values read trimmed,
// up to the first NUL, within a buffer counted in characters (a supplementary
// one counts two): one that fills it loses its last character, a longer one is unread.
TEST(RegistryStore, ShortensLongListsAndHoldsTheReadBufferLimitInCharacters) {
    const std::string umlauts = Repeat("ä", 16298);
    const std::string flake = "\xF0\x9F\x8C\xA8";  // two units
    const std::string snow = Repeat(flake, 8148);
    const struct {
        std::string written, read;
        std::string stored = written;
    } cases[] = {{" Привет, 雪 ", "Привет, 雪"},
                 {"", "", std::string(1, '\0')},
                 {std::string(16299, 'y'), std::string(16299, 'y')},
                 {std::string(16300, 'y'), std::string(16299, 'y')},
                 {Repeat("ü", 16300), Repeat("ü", 16299)},
                 {std::string(16301, 'x'), ""},
                 {Repeat(flake, 8151), ""},
                 {"a;" + std::string(16296, 'b'), "a;" + std::string(16296, 'b')},
                 {"a;" + std::string(16297, 'b'), "a", "a"},
                 {umlauts + ";x", umlauts, umlauts},
                 {"x;" + snow + ";b", "x;" + snow, "x;" + snow},
                 {"x;" + snow + flake + ";b", "x", "x"}};
    test::FakeRegistry registry;
    for (const auto& [written, read, stored] : cases) {
        EXPECT_TRUE(WriteRegString(registry, kKey, "V", written));
        EXPECT_EQ(registry.Stored(kKey, "V"), stored) << written.size();
        EXPECT_EQ(ReadRegString(registry, kKey, "V"), read) << written.size();
    }
}

}  // namespace
}  // namespace brumo
