// The news panel's data side: slot entries, the cache name and folder rules,
// and the refresh against a fake script, registry and cache.
#include <gtest/gtest.h>

#include "FakePanel.h"
#include "FakeRegistry.h"
#include "online/PanelEntries.h"
#include "online/PanelProtocol.h"

namespace brumo {
namespace {

const std::string kUrl = PanelScriptUrl("h");
const std::string kKey = SectionKeyPath("UpdatePanel");
const std::string kCache = "C:\\Users\\u\\AppData\\Local\\Halvix\\Brumo\\UpdatePanel\\";

TEST(PanelEntries, ParsesPairsUpToTheFirstEmptyPart) {
    const struct {
        const char* text;
        bool parses;
        std::size_t pairs;
        const char* key;
        const char* value;
    } cases[] = {
        {"Image:pic.gif;URL:a:b", true, 2, "url", "a:b"},
        {"A:1;;B:2", true, 1, "B", ""},
        {"A:1;skipped;B:2;", true, 2, "b", "2"},
        {"Image:x;image:y", false, 0, "Image", ""},
        {"", true, 0, "A", ""},
        {";A:1", true, 0, "A", ""},
    };
    for (const auto& c : cases) {
        const auto entries = GetEntries(c.text);
        ASSERT_EQ(entries.has_value(), c.parses) << c.text;
        if (!entries) continue;
        EXPECT_EQ(entries->pairs.size(), c.pairs) << c.text;
        EXPECT_EQ(entries->Value(c.key), c.value) << c.text;
    }
    EXPECT_EQ(GetSplitPart("a;;b", 3), "b");
    EXPECT_EQ(GetSplitPart("a;b", 3), "");
}

TEST(PanelCache, NameKeepsOnlyShortPlainExtensions) {
    const struct {
        const char* image;
        const char* name;
    } cases[] = {
        {"http://h/a.gif", "Slot2.gif"},
        {"http://h/b.JPEG", "Slot2.JPEG"},
        {"http://h/b.JPEG12", ""},
        {"http://h/x.exe", ""},
        {"http://h/x.Hta", ""},
        {"..\\..\\x", ""},
        {"http://h/a.gi/f", ""},
        {"http://h/p.php?a=1", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(PanelCacheFileName(2, c.image), c.name) << c.image;
}

TEST(PanelCache, PathLiesInTheCreatedCacheFolder) {
    const struct {
        const char* appData;
        const char* name;
        std::string path;
    } cases[] = {
        {"C:\\Users\\u\\AppData\\Local", "Slot1.gif", kCache + "Slot1.gif"},
        {"C:\\Users\\u\\AppData\\Local\\", "Slot1.gif", kCache + "Slot1.gif"},
        {"", "Slot1.gif", ""},
        {"C:\\Users\\u\\AppData\\Local", "..\\x.gif", ""},
        {"C:\\Users\\u\\AppData\\Local", "", ""},
    };
    for (const auto& c : cases) {
        test::FakeCache cache;
        cache.appData = c.appData;
        EXPECT_EQ(GetCachePath(cache, c.name), c.path) << c.appData << c.name;
        if (c.path.empty()) continue;
        EXPECT_EQ(cache.folders.front(), "C:\\Users");
        EXPECT_EQ(cache.folders.back() + "\\", kCache);
    }
}

TEST(PanelCache, DownloadIsCutAndEndsWithALineBreak) {
    test::FakeCache cache;
    cache.pictures["u"] = std::string(kMaxPictureBytes + 9, 'p');
    EXPECT_EQ(DownloadToCache(cache, cache, "u", "Slot1.gif"), kCache + "Slot1.gif");
    EXPECT_EQ(cache.files[kCache + "Slot1.gif"], std::string(kMaxPictureBytes, 'p') + "\r\n");
    cache.writable = false;
    EXPECT_EQ(DownloadToCache(cache, cache, "u", "Slot1.gif"), "");
}

TEST(PanelProtocol, RefreshStoresEverySlotAndItsPicture) {
    test::FakeScript script;
    test::FakeCache cache;
    test::FakeRegistry registry;
    script.replies = {{"action=handshake", "ready"},
                      {"action=getslotmax", "3\r\n"},
                      {"lang=2&action=getslot&id=1", "Slot:Standard:URL;Image:http://h/a.gif"},
                      {"lang=2&action=getslot&id=2", "slot:Image:http://h/b.gif"},
                      {"lang=2&action=getslot&id=3", "Slot:Image:http://h/c.exe;URL:x"}};
    cache.pictures["http://h/a.gif"] = "GIF89a";
    const auto slots = RefreshPanelSlots({script, cache, cache, registry}, kUrl, 2, "06.12.2026");
    ASSERT_TRUE(slots.has_value());
    EXPECT_TRUE(script.wellFormed);
    EXPECT_EQ(script.bodies.size(), 5U);
    ASSERT_EQ(slots->size(), 3U);
    EXPECT_EQ((*slots)[0].picturePath, kCache + "Slot1.gif");
    EXPECT_EQ((*slots)[1].picturePath + (*slots)[2].picturePath, "");
    EXPECT_EQ(cache.files.size(), 1U);
    EXPECT_EQ(cache.files[kCache + "Slot1.gif"], "GIF89a\r\n");
    const std::map<std::string, std::string> stored = {
        {"SlotMax", "3"},
        {"Slot1", "Standard:URL;Image:http://h/a.gif"},
        {"Slot2", ""},
        {"Slot3", "Image:http://h/c.exe;URL:x"},
        {"LastUpdate", "06.12.2026"}};
    for (const auto& [name, value] : stored)
        EXPECT_EQ(ReadPanelValue(registry, name), value) << name;
    const auto cached = PanelSlotsFromCache(registry, cache);
    ASSERT_EQ(cached.size(), 3U);
    for (std::size_t i = 0; i < cached.size(); ++i)
        EXPECT_EQ(cached[i].entry + cached[i].picturePath,
                  (*slots)[i].entry + (*slots)[i].picturePath);
    EXPECT_FALSE(IsPanelCheckDue(registry, "06.12.2026"));
    EXPECT_EQ(PanelScriptUrl(), PanelScriptUrl(BRUMO_UPDATE_HOST));
    EXPECT_TRUE(IsPanelCheckDue(registry, "07.12.2026"));
}

TEST(PanelProtocol, BadHandshakeOrCountWritesLittle) {
    const struct {
        const char* handshake;
        const char* slotMax;
        std::size_t requests;  // sent in all
        const char* stored;    // SlotMax, "-" when not written
        bool lastUpdate;
    } cases[] = {
        {"Ready", "3", 1, "-", false},        {"ready ", "3", 1, "-", false},
        {"ready", "abc", 2, "-", true},       {"ready", "-2", 2, "-", true},
        {"ready", "1e9", 2 + 16, "16", true},
    };
    for (const auto& c : cases) {
        test::FakeScript script;
        test::FakeCache cache;
        test::FakeRegistry registry;
        script.replies = {{"action=handshake", c.handshake}, {"action=getslotmax", c.slotMax}};
        const auto slots = RefreshPanelSlots({script, cache, cache, registry}, kUrl, 1, "d");
        EXPECT_EQ(slots.has_value(), c.lastUpdate) << c.handshake << c.slotMax;
        EXPECT_EQ(script.bodies.size(), c.requests) << c.slotMax;
        EXPECT_EQ(registry.Stored(kKey, "SlotMax").value_or("-"), c.stored) << c.slotMax;
        EXPECT_EQ(registry.Stored(kKey, "LastUpdate").has_value(), c.lastUpdate) << c.slotMax;
        EXPECT_TRUE(IsPanelCheckDue(registry, c.lastUpdate ? "e" : ""));
        EXPECT_EQ(PanelSlotsFromCache(registry, cache).size(), slots ? slots->size() : 0U);
    }
}

}  // namespace
}  // namespace brumo
