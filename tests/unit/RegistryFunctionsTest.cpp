// The registry helpers over the recording in-memory registry.
#include <gtest/gtest.h>

#include "FakeRegistry.h"

namespace brumo {
namespace {

using namespace std::string_literals;
using test::FakeRegistry;
using Log = std::vector<std::string>;

const std::string kKey = SectionKeyPath("Settings");

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(RegistryOpenPath, OpensLevelByLevelClosingTheOneAboveAndKnowsOnlyThreeRoots) {
    FakeRegistry registry;
    registry.Preset("HKEY_CURRENT_USER\\A\\B\\C", "", "");
    registry.Preset("HKEY_LOCAL_MACHINE\\D", "", "");
    registry.Preset("HKEY_CLASSES_ROOT\\E", "", "");
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_CURRENT_USER\\A\\B\\C", false));
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_LOCAL_MACHINE\\D\\", false));  // "" opens D again
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_CLASSES_ROOT\\E", false));
    for (const char* path : {"HKEY_USERS\\A", "hkey_current_user\\A", "HKEY_CURRENT_USER \\A",
                             "\\A", "HKEY_CURRENT_USER", ""})
        EXPECT_FALSE(WriteRegString(registry, path, "Name", "1") ||
                     ReadRegString(registry, path, "Name") != "")
            << path;
    EXPECT_EQ(registry.log,
              (Log{"open HKEY_CURRENT_USER\\A", "open HKEY_CURRENT_USER\\A\\B",
                   "close HKEY_CURRENT_USER\\A", "open HKEY_CURRENT_USER\\A\\B\\C",
                   "close HKEY_CURRENT_USER\\A\\B", "close HKEY_CURRENT_USER\\A\\B\\C",
                   "open HKEY_LOCAL_MACHINE\\D", "open HKEY_LOCAL_MACHINE\\D",
                   "close HKEY_LOCAL_MACHINE\\D", "close HKEY_LOCAL_MACHINE\\D",
                   "open HKEY_CLASSES_ROOT\\E", "close HKEY_CLASSES_ROOT\\E"}));
    EXPECT_EQ(registry.badCloses, 0);
}

TEST(RegistryOpenPath, AFailingLevelClosesWhatWasOpenedAndReadingNeverCreates) {
    FakeRegistry registry;
    registry.Preset("HKEY_CURRENT_USER\\A\\B\\C", "V", "3");
    registry.FailKey("HKEY_CURRENT_USER\\A\\B\\C");
    EXPECT_EQ(ReadRegString(registry, "HKEY_CURRENT_USER\\A\\B\\C", "V"), "");
    EXPECT_FALSE(WriteRegString(registry, "HKEY_CURRENT_USER\\A\\B\\C", "V", "2"));
    EXPECT_EQ(registry.log,
              (Log{"open HKEY_CURRENT_USER\\A", "open HKEY_CURRENT_USER\\A\\B",
                   "close HKEY_CURRENT_USER\\A", "open HKEY_CURRENT_USER\\A\\B\\C (failed)",
                   "close HKEY_CURRENT_USER\\A\\B", "create HKEY_CURRENT_USER\\A",
                   "create HKEY_CURRENT_USER\\A\\B", "close HKEY_CURRENT_USER\\A",
                   "create HKEY_CURRENT_USER\\A\\B\\C (failed)", "close HKEY_CURRENT_USER\\A\\B"}));
    FakeRegistry empty;
    EXPECT_EQ(ReadRegString(empty, kKey, "Language"), "");
    EXPECT_EQ(empty.log, (Log{"open HKEY_CURRENT_USER\\Software (failed)"}));
}

TEST(RegistryRead, CutsTrimsAndHoldsTheBufferLimitInCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {" 42 ", "42"},
        {"7 \0 junk after the end"s, "7"},
        {" \t5\t ", "\t5\t"},
        {"    ", ""},
        {"\0"s, ""},
        {" Привет, 雪 ", "Привет, 雪"},
        {std::string(16299, 'x'), std::string(16299, 'x')},
        // A value that fills the buffer has no NUL after it and loses its last character.
        {std::string(16300, 'y'), std::string(16299, 'y')},
        {Repeat("ü", 16300), Repeat("ü", 16299)},
        {std::string(16299, 'z') + '\0', std::string(16299, 'z')},
        // Longer than the buffer: unread.
        {std::string(16301, 'x'), ""},
        {Repeat("\xF0\x9F\x8C\xA8", 8151), ""}};
    for (const auto& [stored, read] : cases) {
        FakeRegistry registry;
        registry.Preset(kKey, "V", stored);
        EXPECT_EQ(ReadRegString(registry, kKey, "V"), read) << stored.size();
        EXPECT_EQ(registry.log.back(), "close " + kKey);
        EXPECT_EQ(registry.OpenKeys(), 0u);
    }
}

// Long lists lose whole trailing entries, counting characters; an empty text
// is stored as one NUL.
TEST(RegistryWrite, CreatesTheKeyWritesTheTextAndShortensLongLists) {
    std::string list;  // "000000001;000000002;...": the n-th ";" is character 10 n
    for (int i = 1; i <= 2000; ++i)
        list += std::string(9 - std::to_string(i).size(), '0') + std::to_string(i) + ";";
    const std::string umlauts = Repeat("ä", 16298);
    const std::string snow = Repeat("\xF0\x9F\x8C\xA8", 8148);  // two units each
    const std::string plain(20000, 'c');
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Снег\\雪.mp3", "C:\\Снег\\雪.mp3"},
        {"", "\0"s},
        {list, list.substr(0, 16289)},
        {"a;" + std::string(16296, 'b'), "a;" + std::string(16296, 'b')},  // 16298: kept
        {"a;" + std::string(16297, 'b'), "a"},
        {std::string(16298, 'a') + ";" + std::string(50, 'b'), std::string(16298, 'a')},
        {";" + std::string(16298, 'b'), "\0"s},
        // No ";" within the first 16299 characters: written whole.
        {plain, plain},
        {std::string(16299, 'd') + ";e", std::string(16299, 'd') + ";e"},
        {umlauts + ";x", umlauts},
        {"x;" + snow + ";b", "x;" + snow},
        {"x;" + snow + "\xF0\x9F\x8C\xA8;b", "x"}};
    FakeRegistry registry;
    for (const auto& [written, stored] : cases) {
        EXPECT_TRUE(WriteRegString(registry, kKey, "V", written));
        EXPECT_EQ(registry.Stored(kKey, "V"), stored) << written.size();
        EXPECT_EQ(registry.log.back(), "close " + kKey);
    }
    EXPECT_EQ(registry.Calls("create").size(), 4 * std::size(cases));
    EXPECT_EQ(registry.Calls("set"), Log(std::size(cases), "V"));
    EXPECT_EQ(registry.OpenKeys(), 0u);
}

}  // namespace
}  // namespace brumo
