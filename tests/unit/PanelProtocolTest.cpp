// The news panel's data side: URL parts, connection flags, slot entries, the
// cache names and folder, the once-a-day rule, and what a refresh asks,
// stores and downloads whatever the script answers.
#include <gtest/gtest.h>

#include <tuple>

#include "FakePanel.h"
#include "FakeRegistry.h"
#include "online/PanelEntries.h"
#include "online/PanelProtocol.h"

namespace brumo {
namespace {

using test::kCache;

TEST(HttpPost, SplitsUrlsAndCountsOnlyAnOnlineModemOrNetworkAsConnected) {
    const std::pair<const char*, const char*> urls[] = {{" HTTP://h/x.php?a=1\t", "h /x.php?a=1"},
                                                        {"example.org", "example.org /"}};
    for (const auto& [url, parts] : urls)
        EXPECT_EQ(SplitUrl(url).host + " " + SplitUrl(url).path, parts) << url;
    // Only known states count, and of their flags only modem or network while online.
    const std::pair<std::uint32_t, bool> flags[] = {
        {0x01, true}, {0x02, true}, {0x04, false}, {0x22, false}};
    for (const auto& [state, connected] : flags)
        EXPECT_EQ(IsConnectedState(true, state), connected) << state;
    EXPECT_FALSE(IsConnectedState(false, 0x02));
}

TEST(PanelEntries, ParsesPairsUpToTheFirstEmptyPartAndRefusesARepeatedKey) {
    // Entry text, how many pairs (-1: refused), a key and its value.
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"Image:pic.gif;URL:a:b", 2, "url", "a:b"},
        {"A:1;;B:2", 1, "B", ""},
        {"A:1;skipped;B:2;", 2, "b", "2"},
        {"Image:x;image:y", -1, "Image", ""}};
    for (const auto& [text, pairs, key, value] : cases) {
        const auto entries = GetEntries(text);
        EXPECT_EQ(entries ? static_cast<int>(entries->pairs.size()) : -1, pairs) << text;
        EXPECT_EQ(entries ? entries->Value(key) : "", value) << text;
    }
    EXPECT_EQ(GetSplitPart("a;;b", 3) + "|" + GetSplitPart("a;b", 3), "b|");
}

// A name keeps only a short plain extension; its file lies in the cache
// folder, made level by level under local app data, or nowhere without one.
TEST(PanelCache, NamesKeepOnlyShortPlainExtensionsInTheCreatedFolder) {
    const std::pair<const char*, const char*> names[] = {
        {"http://h/a.gif", "Slot2.gif"}, {"http://h/b.JPEG", "Slot2.JPEG"},
        {"http://h/b.JPEG12", ""},       {"http://h/x.exe", ""},
        {"http://h/x.Hta", ""},          {"..\\..\\x", ""},
        {"http://h/a.gi/f", ""}};
    for (const auto& [image, name] : names) EXPECT_EQ(PanelCacheFileName(2, image), name) << image;
    for (const std::string base :
         {"C:\\Users\\u\\AppData\\Local", "C:\\Users\\u\\AppData\\Local\\"}) {
        test::FakeCache cache;
        cache.appData = base;
        EXPECT_EQ(GetCachePath(cache, "Slot1.gif"), kCache + "Slot1.gif") << base;
        EXPECT_EQ(cache.folders.front() + " " + cache.folders.back() + "\\", "C:\\Users " + kCache);
        cache.appData = "";
        EXPECT_EQ(GetCachePath(cache, "Slot1.gif"), "");
    }
}

TEST(PanelProtocol, IsDueOnceADay) {
    for (const auto& [stored, due] :
         {std::pair{"", true}, {"05.12.2026", true}, {"06.12.2026", false}}) {
        test::FakeRegistry registry;
        WritePanelValue(registry, "LastUpdate", stored);
        EXPECT_EQ(IsPanelCheckDue(registry, "06.12.2026"), due) << stored;
    }
}

// The script offers three slots with pictures, but slot 3's reply lacks the
// exact "Slot:" and so is empty. Only an exact "ready" lets the refresh on;
// a slot count that is no number stores no slots, a huge one stops at 16.
TEST(PanelProtocol, RefreshStoresTheSlotsAndTheirPictures) {
    const struct {
        const char* handshake;
        const char* slotMax;
        std::size_t requests;
        int slots;           // -1: refused
        const char* stored;  // SlotMax, Slot1, Slot3 and LastUpdate
    } cases[] = {
        {"ready", "3", 5, 3, "3|Image:http://h/1.gif||today"},
        {"ready ", "3", 1, -1, "|||"},
        {"ready", "abc", 2, 0, "|||today"},
        {"ready", "17", 18, 16, "16|Image:http://h/1.gif||today"},
    };
    for (const auto& c : cases) {
        test::FakeScript script;
        test::FakeCache cache;
        test::FakeRegistry registry;
        script.replies = {{"action=handshake", c.handshake}, {"action=getslotmax", c.slotMax}};
        for (const std::string id : {"1", "2", "3"}) {
            script.replies["lang=2&action=getslot&id=" + id] =
                (id == "3" ? "slot:" : "Slot:") + ("Image:http://h/" + id + ".gif");
            cache.pictures["http://h/" + id + ".gif"] = "GIF";
        }
        const auto slots =
            RefreshPanelSlots({script, cache, cache, registry}, PanelScriptUrl("h"), 2, "today");
        SCOPED_TRACE(c.slotMax);
        EXPECT_TRUE(script.wellFormed);
        EXPECT_EQ(script.bodies.size(), c.requests);
        EXPECT_EQ(slots ? static_cast<int>(slots->size()) : -1, c.slots);
        std::string stored;
        for (const char* name : {"SlotMax", "Slot1", "Slot3"})
            stored += ReadPanelValue(registry, name) + "|";
        EXPECT_EQ(stored + ReadPanelValue(registry, "LastUpdate"), c.stored);
        if (c.slots < 3) continue;
        EXPECT_EQ((*slots)[1].picturePath, kCache + "Slot2.gif");
        EXPECT_EQ(cache.files,
                  (std::map<std::string, std::string>{{kCache + "Slot1.gif", "GIF\r\n"},
                                                      {kCache + "Slot2.gif", "GIF\r\n"}}));
    }
}

}  // namespace
}  // namespace brumo
