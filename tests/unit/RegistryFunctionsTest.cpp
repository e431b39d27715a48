// The registry helpers over the recording in-memory registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeRegistry.h"
#include "settings/RegistryFunctions.h"

namespace brumo {
namespace {

using namespace std::string_literals;
using test::FakeRegistry;
using Log = std::vector<std::string>;

const std::string kTestKey = "HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings";
const std::string kSettingsKeyClose = "close " + kTestKey;

// ---------------------------------------------------------------- key paths

TEST(RegistryKeyPaths, SectionPathsSitUnderTheProgramKey) {
    EXPECT_EQ(SectionKeyPath("Settings"), kTestKey);
    EXPECT_EQ(SectionKeyPath("UpdatePanel"),
              "HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\UpdatePanel");
}

TEST(RegistryOpenPath, OpensEachLevelAndClosesTheOneAbove) {
    FakeRegistry registry;
    registry.AddKey("HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics");
    registry.AddKey("HKEY_LOCAL_MACHINE\\Software");
    registry.AddKey("HKEY_CLASSES_ROOT\\.txt");
    {
        const RegKey key = OpenRegPath(
            registry, "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics", false);
        ASSERT_TRUE(key);
        EXPECT_EQ(registry.OpenKeys(), 1u);
    }
    // Each root name opens its predefined key, which is never closed.
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_LOCAL_MACHINE\\Software", false));
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_CLASSES_ROOT\\.txt", false));
    EXPECT_EQ(registry.log,
              (Log{"open HKEY_CURRENT_USER\\Control Panel",
                   "open HKEY_CURRENT_USER\\Control Panel\\Desktop",
                   "close HKEY_CURRENT_USER\\Control Panel",
                   "open HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics",
                   "close HKEY_CURRENT_USER\\Control Panel\\Desktop",
                   "close HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics",
                   "open HKEY_LOCAL_MACHINE\\Software", "close HKEY_LOCAL_MACHINE\\Software",
                   "open HKEY_CLASSES_ROOT\\.txt", "close HKEY_CLASSES_ROOT\\.txt"}));
    EXPECT_EQ(registry.OpenKeys(), 0u);
    EXPECT_EQ(registry.badCloses, 0);
}

TEST(RegistryOpenPath, UnknownRootsAndPathsWithoutBackslashReachNothing) {
    FakeRegistry registry;
    registry.AddKey("HKEY_CURRENT_USER\\Software");
    for (const char* path :
         {"HKEY_USERS\\Software", "HKCU\\Software", "hkey_current_user\\Software",
          "HKEY_CURRENT_USER \\Software", "\\Software", "HKEY_CURRENT_USER", "Software", ""}) {
        EXPECT_FALSE(OpenRegPath(registry, path, true)) << path;
        EXPECT_FALSE(WriteRegString(registry, path, "Name", "1")) << path;
        EXPECT_EQ(ReadRegString(registry, path, "Name"), "") << path;  // opens for reading
    }
    EXPECT_TRUE(registry.log.empty());
    EXPECT_FALSE(registry.HasKey("HKEY_USERS\\Software"));
}

TEST(RegistryOpenPath, TrailingBackslashOpensTheSameKeyAgain) {
    FakeRegistry registry;
    registry.AddKey("HKEY_CURRENT_USER\\Software");
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_CURRENT_USER\\Software\\", false));
    // The root alone with its backslash is a new handle to the root.
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_CURRENT_USER\\", false));
    EXPECT_EQ(registry.log,
              (Log{"open HKEY_CURRENT_USER\\Software", "open HKEY_CURRENT_USER\\Software",
                   "close HKEY_CURRENT_USER\\Software", "close HKEY_CURRENT_USER\\Software",
                   "open HKEY_CURRENT_USER", "close HKEY_CURRENT_USER"}));
}

TEST(RegistryOpenPath, AFailingLevelClosesWhatWasOpenedAndReadingNeverCreates) {
    FakeRegistry registry;
    registry.AddKey(kTestKey);
    registry.FailKey("HKEY_CURRENT_USER\\Software\\Merelan\\Brumo");
    EXPECT_FALSE(OpenRegPath(registry, kTestKey, false));
    EXPECT_EQ(registry.log,
              (Log{"open HKEY_CURRENT_USER\\Software", "open HKEY_CURRENT_USER\\Software\\Merelan",
                   "close HKEY_CURRENT_USER\\Software",
                   "open HKEY_CURRENT_USER\\Software\\Merelan\\Brumo (failed)",
                   "close HKEY_CURRENT_USER\\Software\\Merelan"}));
    EXPECT_EQ(registry.OpenKeys(), 0u);

    FakeRegistry empty;
    EXPECT_FALSE(OpenRegPath(empty, kTestKey, false));
    EXPECT_EQ(empty.log, (Log{"open HKEY_CURRENT_USER\\Software (failed)"}));
}

TEST(RegistryOpenPath, CreatingMakesEveryMissingLevelWithTheWriteAccessMask) {
    FakeRegistry registry;
    registry.AddKey("HKEY_CURRENT_USER\\Software");
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_CURRENT_USER\\Software\\Merelan", true));
    registry.FailKey("HKEY_CURRENT_USER\\Locked");
    EXPECT_FALSE(CreateRegKey(registry, kHkeyCurrentUser, "Locked"));
    EXPECT_TRUE(registry.HasKey("HKEY_CURRENT_USER\\Software\\Merelan"));
    EXPECT_EQ(
        registry.log,
        (Log{"create HKEY_CURRENT_USER\\Software", "create HKEY_CURRENT_USER\\Software\\Merelan",
             "close HKEY_CURRENT_USER\\Software", "close HKEY_CURRENT_USER\\Software\\Merelan",
             "create HKEY_CURRENT_USER\\Locked (failed)"}));
    EXPECT_EQ(registry.createAccess, (std::vector<std::uint32_t>{0x3F, 0x3F, 0x3F}));
}

TEST(RegistryKeyOwner, MovesAndClosesExactlyOnce) {
    FakeRegistry registry;
    RegKey first = CreateRegKey(registry, kHkeyCurrentUser, "A");
    RegKey second = CreateRegKey(registry, kHkeyCurrentUser, "B");
    const RegHandle a = first.Get();
    RegKey moved(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(moved.Get(), a);
    moved = std::move(second);  // A closes here
    EXPECT_EQ(registry.log.back(), "close HKEY_CURRENT_USER\\A");
    moved.Close();
    moved.Close();
    EXPECT_EQ(registry.log.back(), "close HKEY_CURRENT_USER\\B");
    EXPECT_EQ(registry.OpenKeys(), 0u);
    EXPECT_EQ(registry.badCloses, 0);
}

// ---------------------------------------------------------------- reading

TEST(RegistryRead, CutAtNullCutsAtTheFirstNulOrDropsTheLastCharacter) {
    EXPECT_EQ(CutAtNull("abc\0def\0"s), "abc");
    EXPECT_EQ(CutAtNull("\0abc"s), "");
    EXPECT_EQ(CutAtNull("abc"), "ab");
    EXPECT_EQ(CutAtNull(""), "");
}

TEST(RegistryRead, CutsAtNulTrimsBlanksAndClosesTheKey) {
    const std::pair<std::string, std::string> cases[] = {{" 42 ", "42"},
                                                         {"  300\0"s, "300"},
                                                         {"7 \0 junk after the end"s, "7"},
                                                         {" a  b ", "a  b"},
                                                         {" \t5\t ", "\t5\t"},
                                                         {"    ", ""},
                                                         {"\0"s, ""},
                                                         {"", ""}};
    for (const auto& [stored, read] : cases) {
        FakeRegistry registry;
        registry.Preset(kTestKey, "V", stored);
        EXPECT_EQ(ReadRegString(registry, kTestKey, "V"), read);
        EXPECT_EQ(registry.log.end()[-2], "query V");
        EXPECT_EQ(registry.log.back(), kSettingsKeyClose);
        EXPECT_EQ(registry.OpenKeys(), 0u);
    }
}

TEST(RegistryRead, MissingKeysAndValuesReadEmptyWithoutCreatingAnything) {
    FakeRegistry registry;
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Language"), "");
    registry.AddKey(kTestKey);
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Language"), "");
    EXPECT_EQ(registry.log.back(), kSettingsKeyClose);
    registry.Preset(kTestKey, "Language", "3");
    registry.FailKey(kTestKey);
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Language"), "");
    EXPECT_TRUE(registry.Calls("create").empty());
    EXPECT_EQ(registry.OpenKeys(), 0u);
    EXPECT_EQ(registry.badCloses, 0);
}

TEST(RegistryRead, BufferLimitsCountTheStoredBytes) {
    FakeRegistry registry;
    registry.Preset(kTestKey, "Fits", std::string(16299, 'x'));
    registry.Preset(kTestKey, "Full", std::string(16300, 'y'));
    registry.Preset(kTestKey, "FullWithNul", std::string(16299, 'z') + '\0');
    registry.Preset(kTestKey, "TooLong", std::string(16301, 'x'));
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Fits"), std::string(16299, 'x'));
    // A value that fills the buffer has no NUL after it and loses its last character.
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Full"), std::string(16299, 'y'));
    EXPECT_EQ(ReadRegString(registry, kTestKey, "FullWithNul"), std::string(16299, 'z'));
    EXPECT_EQ(ReadRegString(registry, kTestKey, "TooLong"), "");
    EXPECT_EQ(registry.log.end()[-2], "query TooLong (failed)");
    EXPECT_EQ(registry.OpenKeys(), 0u);

    // 16300 ANSI bytes of two UTF-8 bytes each fill the buffer the same way.
    registry.latin1 = true;
    registry.Preset(kTestKey, "Long", std::string(16300, '\xFC'));
    std::string expected;
    for (int i = 0; i < 16299; ++i) expected += "ü";
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Long"), expected);
}

// ---------------------------------------------------------------- writing

TEST(RegistryWrite, CreatesTheKeyAndWritesTheTextWithoutNul) {
    FakeRegistry registry;
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "CountSnowballs", "300"));
    EXPECT_EQ(registry.Calls("create").size(), 4u);
    EXPECT_EQ(registry.log.end()[-2], "set CountSnowballs=300");
    EXPECT_EQ(registry.log.back(), kSettingsKeyClose);
    EXPECT_EQ(registry.OpenKeys(), 0u);
    // Empty text is one NUL byte; blanks stay as typed.
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "BackgroundImage", ""));
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "Blank", " "));
    EXPECT_EQ(registry.Stored(kTestKey, "BackgroundImage"), "\0"s);
    EXPECT_EQ(registry.Stored(kTestKey, "Blank"), " ");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "BackgroundImage"), "");
}

TEST(RegistryWrite, ConvertsBetweenTheAnsiCodePageAndUtf8) {
    FakeRegistry registry;
    registry.latin1 = true;
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "Sound", "C:\\Grüße\\Schnee.mp3"));
    EXPECT_EQ(registry.Stored(kTestKey, "Sound"),
              "C:\\Gr\xFC\xDF"
              "e\\Schnee.mp3");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Sound"), "C:\\Grüße\\Schnee.mp3");
    // Converted after the cutting and trimming.
    registry.Preset(kTestKey, "Path", " C:\\M\xFCsik\\Schne\xE9.mp3 ");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Path"), "C:\\Müsik\\Schneé.mp3");
}

TEST(RegistryWrite, FailuresAnswerFalseAndCloseWhatWasOpened) {
    FakeRegistry unreachable;
    unreachable.FailKey("HKEY_CURRENT_USER\\Software\\Merelan\\Brumo");
    EXPECT_FALSE(WriteRegString(unreachable, kTestKey, "Language", "2"));
    EXPECT_TRUE(unreachable.Calls("set").empty());
    FakeRegistry refusing;
    refusing.refuseSets = true;
    EXPECT_FALSE(WriteRegString(refusing, kTestKey, "Language", "2"));
    EXPECT_EQ(refusing.log.back(), kSettingsKeyClose);
    for (const FakeRegistry* r : {&unreachable, &refusing}) {
        EXPECT_EQ(r->OpenKeys(), 0u);
        EXPECT_EQ(r->badCloses, 0);
    }
}

TEST(RegistryWrite, LongListsLoseWholeTrailingEntries) {
    // 2000 entries of ten characters "000000001;" ...: 20000 characters, the
    // n-th ";" is character 10 n.
    std::string list;
    for (int i = 1; i <= 2000; ++i)
        list += std::string(9 - std::to_string(i).size(), '0') + std::to_string(i) + ";";
    FakeRegistry registry;
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "List", list));
    // The last ";" within the first 16299 characters is character 16290, the
    // end of entry 1629; it goes too.
    EXPECT_EQ(registry.Stored(kTestKey, "List"), list.substr(0, 16289));
    EXPECT_EQ(ReadRegString(registry, kTestKey, "List"), list.substr(0, 16289));
}

TEST(RegistryWrite, ListShorteningBoundariesCountCharactersNotBytes) {
    std::string umlauts, snow;
    for (int i = 0; i < 16298; ++i) umlauts += "ä";
    for (int i = 0; i < 8148; ++i) snow += "\xF0\x9F\x8C\xA8";  // U+1F328: two UTF-16 units
    const std::string below = "a;" + std::string(16296, 'b');
    const std::string plain(20000, 'c');
    const std::string lateSeparator = std::string(16299, 'd') + ";e";
    const std::pair<std::string, std::string> cases[] = {
        {below, below},  // 16298 characters are not shortened, 16299 are
        {"a;" + std::string(16297, 'b'), "a"},
        // A ";" as character 16299 is still inside the kept part.
        {std::string(16298, 'a') + ";" + std::string(50, 'b'), std::string(16298, 'a')},
        // A first entry that ends at once leaves nothing: stored as the empty text.
        {";" + std::string(16298, 'b'), "\0"s},
        // Without a ";" within the first 16299 characters the value is written whole.
        {plain, plain},
        {lateSeparator, lateSeparator},
        // 16298 two-byte characters and a ";" are 16299 characters (32597 bytes).
        {umlauts + ";x", umlauts},
        // "x;", 8148 characters beyond the basic plane and ";" make 16299
        // characters; one more pushes the ";" beyond the limit.
        {"x;" + snow + ";b", "x;" + snow},
        {"x;" + snow + "\xF0\x9F\x8C\xA8;b", "x"}};
    FakeRegistry registry;
    for (const auto& [written, stored] : cases) {
        EXPECT_TRUE(WriteRegString(registry, kTestKey, "V", written));
        EXPECT_EQ(registry.Stored(kTestKey, "V"), stored) << written.size();
    }
    // The long value written whole reads back empty.
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "V", plain));
    EXPECT_EQ(ReadRegString(registry, kTestKey, "V"), "");
}

}  // namespace
}  // namespace brumo
