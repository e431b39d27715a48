// The registry helpers over the recording in-memory registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeRegistry.h"
#include "settings/RegistryFunctions.h"

namespace brumo {
namespace {

using test::FakeRegistry;
using Log = std::vector<std::string>;

const std::string kTestKey = "HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings";

// ---------------------------------------------------------------- key paths

TEST(RegistryKeyPaths, SectionPathsSitUnderTheProgramKey) {
    EXPECT_EQ(SectionKeyPath("Settings"), kTestKey);
    EXPECT_EQ(kSettingsKeyPath, kTestKey);
    EXPECT_EQ(SectionKeyPath("UpdatePanel"),
              "HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\UpdatePanel");
}

TEST(RegistryOpenPath, OpensEachLevelAndClosesTheOneAbove) {
    FakeRegistry registry;
    registry.AddKey("HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics");
    {
        const RegKey key = OpenRegPath(
            registry, "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics", false);
        ASSERT_TRUE(key);
        EXPECT_EQ(registry.OpenKeys(), 1u);
        EXPECT_EQ(registry.log,
                  (Log{"open HKEY_CURRENT_USER\\Control Panel",
                       "open HKEY_CURRENT_USER\\Control Panel\\Desktop",
                       "close HKEY_CURRENT_USER\\Control Panel",
                       "open HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics",
                       "close HKEY_CURRENT_USER\\Control Panel\\Desktop"}));
    }
    // The caller's key closes with its owner; the predefined root never does.
    EXPECT_EQ(registry.log.back(),
              "close HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics");
    EXPECT_EQ(registry.OpenKeys(), 0u);
    EXPECT_EQ(registry.badCloses, 0);
}

TEST(RegistryOpenPath, EachRootNameOpensItsPredefinedKey) {
    FakeRegistry registry;
    registry.AddKey("HKEY_LOCAL_MACHINE\\Software");
    registry.AddKey("HKEY_CLASSES_ROOT\\.txt");
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_LOCAL_MACHINE\\Software", false));
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_CLASSES_ROOT\\.txt", false));
    EXPECT_EQ(registry.log,
              (Log{"open HKEY_LOCAL_MACHINE\\Software", "close HKEY_LOCAL_MACHINE\\Software",
                   "open HKEY_CLASSES_ROOT\\.txt", "close HKEY_CLASSES_ROOT\\.txt"}));
}

TEST(RegistryOpenPath, UnknownRootsAndPathsWithoutBackslashReachNothing) {
    FakeRegistry registry;
    registry.AddKey("HKEY_CURRENT_USER\\Software");
    for (const bool create : {false, true}) {
        for (const char* path :
             {"HKEY_USERS\\Software", "HKCU\\Software", "hkey_current_user\\Software",
              "HKEY_CURRENT_USER \\Software", "\\Software", "HKEY_CURRENT_USER", "Software", ""}) {
            EXPECT_FALSE(OpenRegPath(registry, path, create)) << path;
            EXPECT_FALSE(WriteRegString(registry, path, "Name", "1")) << path;
            EXPECT_EQ(ReadRegString(registry, path, "Name"), "") << path;
        }
    }
    EXPECT_TRUE(registry.log.empty());
    EXPECT_FALSE(registry.HasKey("HKEY_USERS\\Software"));
}

TEST(RegistryOpenPath, TrailingBackslashOpensTheSameKeyAgain) {
    FakeRegistry registry;
    registry.AddKey("HKEY_CURRENT_USER\\Software");
    const RegKey key = OpenRegPath(registry, "HKEY_CURRENT_USER\\Software\\", false);
    ASSERT_TRUE(key);
    EXPECT_EQ(registry.log,
              (Log{"open HKEY_CURRENT_USER\\Software", "open HKEY_CURRENT_USER\\Software",
                   "close HKEY_CURRENT_USER\\Software"}));
    EXPECT_EQ(registry.OpenKeys(), 1u);

    // The root alone with its backslash is a new handle to the root.
    registry.log.clear();
    EXPECT_TRUE(OpenRegPath(registry, "HKEY_CURRENT_USER\\", false));
    EXPECT_EQ(registry.log, (Log{"open HKEY_CURRENT_USER", "close HKEY_CURRENT_USER"}));
}

TEST(RegistryOpenPath, AFailingLevelClosesWhatWasOpened) {
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

    // Opening for reading never creates a missing level.
    FakeRegistry empty;
    EXPECT_FALSE(OpenRegPath(empty, kTestKey, false));
    EXPECT_EQ(empty.log, (Log{"open HKEY_CURRENT_USER\\Software (failed)"}));
    EXPECT_FALSE(empty.HasKey("HKEY_CURRENT_USER\\Software"));
}

TEST(RegistryOpenPath, CreatingMakesEveryMissingLevelWithTheWriteAccessMask) {
    FakeRegistry registry;
    registry.AddKey("HKEY_CURRENT_USER\\Software");
    const RegKey key = OpenRegPath(registry, "HKEY_CURRENT_USER\\Software\\Merelan\\Brumo", true);
    ASSERT_TRUE(key);
    EXPECT_TRUE(registry.HasKey("HKEY_CURRENT_USER\\Software\\Merelan\\Brumo"));
    EXPECT_EQ(registry.log, (Log{"create HKEY_CURRENT_USER\\Software",
                                 "create HKEY_CURRENT_USER\\Software\\Merelan",
                                 "close HKEY_CURRENT_USER\\Software",
                                 "create HKEY_CURRENT_USER\\Software\\Merelan\\Brumo",
                                 "close HKEY_CURRENT_USER\\Software\\Merelan"}));
    EXPECT_EQ(registry.createAccess, (std::vector<std::uint32_t>{0x3F, 0x3F, 0x3F}));
}

TEST(RegistryCreateKey, OneLevelOrEmptyOnFailure) {
    FakeRegistry registry;
    {
        const RegKey key = CreateRegKey(registry, kHkeyCurrentUser, "Software");
        ASSERT_TRUE(key);
        EXPECT_TRUE(registry.HasKey("HKEY_CURRENT_USER\\Software"));
    }
    registry.FailKey("HKEY_CURRENT_USER\\Locked");
    EXPECT_FALSE(CreateRegKey(registry, kHkeyCurrentUser, "Locked"));
    EXPECT_EQ(registry.log,
              (Log{"create HKEY_CURRENT_USER\\Software", "close HKEY_CURRENT_USER\\Software",
                   "create HKEY_CURRENT_USER\\Locked (failed)"}));
    EXPECT_EQ(registry.createAccess, (std::vector<std::uint32_t>{0x3F, 0x3F}));
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

// ---------------------------------------------------------------- CutAtNull

TEST(RegistryCutAtNull, CutsAtTheFirstNulOrDropsTheLastCharacter) {
    using namespace std::string_literals;
    EXPECT_EQ(CutAtNull("abc\0def\0"s), "abc");
    EXPECT_EQ(CutAtNull("\0abc"s), "");
    EXPECT_EQ(CutAtNull("abc"), "ab");
    EXPECT_EQ(CutAtNull("a"), "");
    EXPECT_EQ(CutAtNull(""), "");
}

// ---------------------------------------------------------------- reading

TEST(RegistryRead, CutsAtNulAndTrimsBlanks) {
    using namespace std::string_literals;
    FakeRegistry registry;
    registry.Preset(kTestKey, "Padded", " 42 ");
    registry.Preset(kTestKey, "Terminated", "  300\0"s);
    registry.Preset(kTestKey, "Garbage", "7 \0 junk after the end"s);
    registry.Preset(kTestKey, "Inner", " a  b ");
    registry.Preset(kTestKey, "Tabs", " \t5\t ");
    registry.Preset(kTestKey, "Blanks", "    ");
    registry.Preset(kTestKey, "EmptyNul", "\0"s);
    registry.Preset(kTestKey, "Empty", "");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Padded"), "42");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Terminated"), "300");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Garbage"), "7");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Inner"), "a  b");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Tabs"), "\t5\t");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Blanks"), "");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "EmptyNul"), "");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Empty"), "");
}

TEST(RegistryRead, OpensQueriesAndClosesInThatOrder) {
    FakeRegistry registry;
    registry.Preset(kTestKey, "Language", "2");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Language"), "2");
    EXPECT_EQ(registry.log,
              (Log{"open HKEY_CURRENT_USER\\Software", "open HKEY_CURRENT_USER\\Software\\Merelan",
                   "close HKEY_CURRENT_USER\\Software",
                   "open HKEY_CURRENT_USER\\Software\\Merelan\\Brumo",
                   "close HKEY_CURRENT_USER\\Software\\Merelan",
                   "open HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings",
                   "close HKEY_CURRENT_USER\\Software\\Merelan\\Brumo", "query Language",
                   "close HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings"}));
    EXPECT_EQ(registry.OpenKeys(), 0u);
}

TEST(RegistryRead, MissingKeysAndValuesReadEmptyWithoutCreatingAnything) {
    FakeRegistry registry;
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Language"), "");
    EXPECT_FALSE(registry.HasKey("HKEY_CURRENT_USER\\Software"));
    EXPECT_TRUE(registry.Calls("create").empty());

    registry.AddKey(kTestKey);
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Language"), "");
    EXPECT_EQ(registry.log.back(), "close HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings");

    registry.Preset(kTestKey, "Language", "3");
    registry.FailKey(kTestKey);
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Language"), "");
    EXPECT_TRUE(registry.Calls("create").empty());
    EXPECT_EQ(registry.OpenKeys(), 0u);
    EXPECT_EQ(registry.badCloses, 0);
}

TEST(RegistryRead, BufferLimitsCountTheStoredBytes) {
    FakeRegistry registry;
    const std::string fits(16299, 'x');
    registry.Preset(kTestKey, "Fits", fits);
    registry.Preset(kTestKey, "Full", std::string(16300, 'y'));
    registry.Preset(kTestKey, "FullWithNul", std::string(16299, 'z') + '\0');
    registry.Preset(kTestKey, "TooLong", std::string(16301, 'x'));
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Fits"), fits);
    // A value that fills the buffer has no NUL after it and loses its last character.
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Full"), std::string(16299, 'y'));
    EXPECT_EQ(ReadRegString(registry, kTestKey, "FullWithNul"), std::string(16299, 'z'));
    EXPECT_EQ(ReadRegString(registry, kTestKey, "TooLong"), "");
    EXPECT_EQ(registry.Calls("query").back(), "query TooLong (failed)");
    EXPECT_EQ(registry.OpenKeys(), 0u);
}

TEST(RegistryRead, ConvertsFromTheAnsiCodePageAfterCutting) {
    FakeRegistry registry;
    registry.latin1 = true;
    registry.Preset(kTestKey, "Path", " C:\\M\xFCsik\\Schne\xE9.mp3 ");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Path"), "C:\\Müsik\\Schneé.mp3");
    // 16300 characters of two UTF-8 bytes each are 16300 ANSI bytes: they fill
    // the buffer exactly and lose the last one.
    registry.Preset(kTestKey, "Long", std::string(16300, '\xFC'));
    std::string expected;
    for (int i = 0; i < 16299; ++i) expected += "ü";
    EXPECT_EQ(ReadRegString(registry, kTestKey, "Long"), expected);
}

// ---------------------------------------------------------------- writing

TEST(RegistryWrite, CreatesTheKeyAndWritesTheTextWithoutNul) {
    FakeRegistry registry;
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "CountSnowballs", "300"));
    EXPECT_EQ(registry.Stored(kTestKey, "CountSnowballs"), "300");
    EXPECT_EQ(
        registry.log,
        (Log{"create HKEY_CURRENT_USER\\Software", "create HKEY_CURRENT_USER\\Software\\Merelan",
             "close HKEY_CURRENT_USER\\Software",
             "create HKEY_CURRENT_USER\\Software\\Merelan\\Brumo",
             "close HKEY_CURRENT_USER\\Software\\Merelan",
             "create HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings",
             "close HKEY_CURRENT_USER\\Software\\Merelan\\Brumo", "set CountSnowballs=300",
             "close HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings"}));
    EXPECT_EQ(registry.OpenKeys(), 0u);
    EXPECT_EQ(ReadRegString(registry, kTestKey, "CountSnowballs"), "300");
}

TEST(RegistryWrite, EmptyTextIsOneNulByteAndBlanksStayAsTyped) {
    FakeRegistry registry;
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "BackgroundImage", ""));
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "Blank", " "));
    EXPECT_EQ(registry.Stored(kTestKey, "BackgroundImage"), std::string(1, '\0'));
    EXPECT_EQ(registry.Stored(kTestKey, "Blank"), " ");
    EXPECT_EQ(registry.Calls("set"), (Log{"set BackgroundImage=\\0", "set Blank= "}));
    EXPECT_EQ(ReadRegString(registry, kTestKey, "BackgroundImage"), "");
}

TEST(RegistryWrite, ConvertsToTheAnsiCodePage) {
    FakeRegistry registry;
    registry.latin1 = true;
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "BackgroundSound", "C:\\Grüße\\Schnee.mp3"));
    EXPECT_EQ(registry.Stored(kTestKey, "BackgroundSound"),
              "C:\\Gr\xFC\xDF"
              "e\\Schnee.mp3");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "BackgroundSound"), "C:\\Grüße\\Schnee.mp3");
}

TEST(RegistryWrite, UnreachableKeysWriteNothingAndCloseWhatWasOpened) {
    FakeRegistry registry;
    registry.FailKey("HKEY_CURRENT_USER\\Software\\Merelan\\Brumo");
    EXPECT_FALSE(WriteRegString(registry, kTestKey, "Language", "2"));
    EXPECT_TRUE(registry.Calls("set").empty());
    EXPECT_FALSE(registry.HasKey(kTestKey));
    EXPECT_EQ(registry.OpenKeys(), 0u);
    EXPECT_EQ(registry.badCloses, 0);
}

TEST(RegistryWrite, ARefusedValueAnswersFalseAndClosesTheKey) {
    FakeRegistry registry;
    registry.refuseSets = true;
    EXPECT_FALSE(WriteRegString(registry, kTestKey, "Language", "2"));
    EXPECT_EQ(registry.log.back(), "close HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings");
    EXPECT_EQ(registry.OpenKeys(), 0u);
}

// Entries of ten characters "000000001;" ... : the n-th ";" is character 10 n.
std::string NumberedList(int entries) {
    std::string list;
    for (int i = 1; i <= entries; ++i) {
        std::string number = std::to_string(i);
        list += std::string(9 - number.size(), '0') + number + ";";
    }
    return list;
}

TEST(RegistryWrite, LongListsLoseWholeTrailingEntries) {
    FakeRegistry registry;
    const std::string list = NumberedList(2000);  // 20000 characters
    ASSERT_EQ(list.size(), 20000u);
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "List", list));
    // The last ";" within the first 16299 characters is character 16290, the
    // end of entry 1629; it goes too.
    const std::string stored = *registry.Stored(kTestKey, "List");
    EXPECT_EQ(stored, list.substr(0, 16289));
    EXPECT_EQ(stored.substr(stored.size() - 9), "000001629");
    EXPECT_EQ(ReadRegString(registry, kTestKey, "List"), stored);
}

TEST(RegistryWrite, ListShorteningBoundaries) {
    FakeRegistry registry;
    const auto write = [&](const std::string& value) {
        EXPECT_TRUE(WriteRegString(registry, kTestKey, "V", value));
        return *registry.Stored(kTestKey, "V");
    };
    // 16298 characters are not shortened, 16299 are.
    const std::string below = "a;" + std::string(16296, 'b');
    EXPECT_EQ(write(below), below);
    EXPECT_EQ(write("a;" + std::string(16297, 'b')), "a");
    // A ";" as character 16299 is still inside the kept part.
    EXPECT_EQ(write(std::string(16298, 'a') + ";" + std::string(50, 'b')), std::string(16298, 'a'));
    // A first entry that ends at once leaves nothing: stored as the empty text.
    EXPECT_EQ(write(";" + std::string(16298, 'b')), std::string(1, '\0'));
    // Without a ";" a long value is written whole, and reads back empty.
    const std::string plain(20000, 'c');
    EXPECT_EQ(write(plain), plain);
    EXPECT_EQ(ReadRegString(registry, kTestKey, "V"), "");
    // A ";" only beyond the first 16299 characters: no entry boundary to cut
    // at, the value is written whole.
    const std::string lateSeparator = std::string(16299, 'd') + ";e";
    EXPECT_EQ(write(lateSeparator), lateSeparator);
}

TEST(RegistryWrite, ListLengthCountsCharactersNotBytes) {
    FakeRegistry registry;
    // 16298 two-byte characters and a ";" are 16299 characters (32597 bytes):
    // the list is cut at that ";".
    std::string umlauts;
    for (int i = 0; i < 16298; ++i) umlauts += "ä";
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "V", umlauts + ";x"));
    EXPECT_EQ(registry.Stored(kTestKey, "V"), umlauts);

    // Characters beyond the basic plane count as two, as in a Windows text:
    // "x;", 8148 of them and ";" make 16299 characters, so that ";" is kept...
    std::string snow;
    for (int i = 0; i < 8148; ++i) snow += "\xF0\x9F\x8C\xA8";  // U+1F328
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "W", "x;" + snow + ";b"));
    EXPECT_EQ(registry.Stored(kTestKey, "W"), "x;" + snow);
    // ...while one more of them pushes the ";" beyond the limit.
    EXPECT_TRUE(WriteRegString(registry, kTestKey, "W", "x;" + snow + "\xF0\x9F\x8C\xA8;b"));
    EXPECT_EQ(registry.Stored(kTestKey, "W"), "x");
}

}  // namespace
}  // namespace brumo
