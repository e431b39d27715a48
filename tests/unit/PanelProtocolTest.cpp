// The news panel's data side: URL parts, connection flags, slot entries, and
// the cache name, folder and download rules. The refresh itself runs through
// the panel's tests.
#include <gtest/gtest.h>

#include <tuple>

#include "FakePanel.h"
#include "online/PanelEntries.h"

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

TEST(PanelCache, NameKeepsOnlyShortPlainExtensions) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://h/a.gif", "Slot2.gif"}, {"http://h/b.JPEG", "Slot2.JPEG"},
        {"http://h/b.JPEG12", ""},       {"http://h/x.exe", ""},
        {"http://h/x.Hta", ""},          {"..\\..\\x", ""},
        {"http://h/a.gi/f", ""}};
    for (const auto& [image, name] : cases) EXPECT_EQ(PanelCacheFileName(2, image), name) << image;
}

TEST(PanelCache, PathLiesInTheCreatedCacheFolder) {
    const std::string appData = "C:\\Users\\u\\AppData\\Local";
    const std::tuple<std::string, const char*, std::string> cases[] = {
        {appData, "Slot1.gif", kCache + "Slot1.gif"},
        {appData + "\\", "Slot1.gif", kCache + "Slot1.gif"},
        {"", "Slot1.gif", ""},
        {appData, "..\\x.gif", ""},
        {appData, "", ""}};
    for (const auto& [base, name, path] : cases) {
        test::FakeCache cache;
        cache.appData = base;
        EXPECT_EQ(GetCachePath(cache, name), path) << base << name;
        if (path.empty()) continue;
        EXPECT_EQ(cache.folders.front() + " " + cache.folders.back() + "\\", "C:\\Users " + kCache);
    }
}

TEST(PanelCache, DownloadIsCutAndEndsWithALineBreakEvenWhenEmpty) {
    test::FakeCache cache;
    cache.pictures["u"] = std::string(kMaxPictureBytes + 9, 'p');
    EXPECT_EQ(DownloadToCache(cache, cache, "u", "Slot1.gif"), kCache + "Slot1.gif");
    EXPECT_EQ(DownloadToCache(cache, cache, "none", "Slot2.gif"), kCache + "Slot2.gif");
    EXPECT_EQ(cache.files[kCache + "Slot1.gif"], std::string(kMaxPictureBytes, 'p') + "\r\n");
    cache.writable = false;
    EXPECT_EQ(DownloadToCache(cache, cache, "u", "Slot1.gif"), "");
}

}  // namespace
}  // namespace brumo
