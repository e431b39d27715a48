// The news panel against fakes: the connection flags, slot entries, cache
// names and the once-a-day rule; then the panel whole: the stored slot at
// load, the timer's refresh behind the wait box or the offline notice, what
// it asks and stores whatever the script answers, places and clicks.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "FakePanel.h"
#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "Fakes.h"
#include "online/PanelEntries.h"
#include "online/UpdatePanel.h"

namespace brumo {
namespace {

// Only known states count, and of their flags only modem or network while online.
TEST(HttpPost, CountsOnlyAnOnlineModemOrNetworkAsConnected) {
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

TEST(PanelCache, NamesKeepOnlyShortPlainExtensionsInTheCacheFolder) {
    const std::pair<const char*, const char*> names[] = {
        {"http://h/a.gif", "Slot2.gif"}, {"http://h/b.JPEG", "Slot2.JPEG"},
        {"http://h/b.JPEG12", ""},       {"http://h/x.exe", ""},
        {"http://h/x.Hta", ""},          {"..\\..\\x", ""},
        {"http://h/a.gi/f", ""}};
    for (const auto& [image, name] : names) EXPECT_EQ(PanelCacheFileName(2, image), name) << image;
    // The file lies in the cache folder under local app data; nowhere without that folder.
    const std::pair<std::string, std::string> paths[] = {
        {"C:\\Users\\u\\AppData\\Local", test::kCache + "Slot1.gif"},
        {"C:\\Users\\u\\AppData\\Local\\", test::kCache + "Slot1.gif"},
        {"", ""}};
    for (const auto& [base, path] : paths) {
        test::FakeCache cache;
        cache.appData = base;
        EXPECT_EQ(GetCachePath(cache, "Slot1.gif"), path) << base;
        EXPECT_EQ(GetCachePath(cache, "a\\b.gif"), "");
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

// An English dialog at 120 DPI, last online yesterday, with one slot stored.
// The script offers three slots: the second without the exact "Standard:URL",
// the third without the exact "Slot:" and so empty. After the timer, a click
// on each button.
struct Panel : MessageSink, UpdatePanelHost {
    Panel(bool online, const char* handshake, const char* slotMax) : connected(online) {
        language.SetLanguage(kEnglish);
        script.replies = {{"action=handshake", handshake},
                          {"action=getslotmax", slotMax},
                          {"lang=2&action=getslot&id=1", "Slot:Standard:URL;URL:http://h/1"},
                          {"lang=2&action=getslot&id=2", "Slot:Standard:url;URL:http://h/2"},
                          {"lang=2&action=getslot&id=3", "slot:Standard:URL;URL:http://h/3"}};
        for (const auto& [name, text] : {std::pair{"LastUpdate", "05.12.2026"},
                                         {"SlotMax", "1"},
                                         {"Slot1", "Standard:URL;URL:http://h/0"}})
            WritePanelValue(registry, name, text);
        panel.emplace(UpdatePanelContext{form, *this, services, language, locale, clock,
                                         PanelScriptUrl("h"), Rect{0, 0, 160, 60}, 120});
        EXPECT_EQ(panel->BtnAd.at(0).Tag, "Standard:URL;URL:http://h/0");
        forms::Fire(panel->AdTimer.Timer);
        for (std::size_t element = 0; element < panel->BtnAd.size(); ++element)
            panel->BtnAd_Click(element);
    }
    void ShowMessage(const std::string&, MessageStyle) override {}
    void MakeSnapshot() override { calls += "snapshot "; }
    bool IsInternetConnected() override { return connected; }
    void OpenAddress(const std::string& address) override { calls += address; }
    bool LoadPicture(const std::string&, Surface&) override { return false; }
    std::string Stored() {  // SlotMax, Slot3 and LastUpdate
        return ReadPanelValue(registry, "SlotMax") + "|" + ReadPanelValue(registry, "Slot3") + "|" +
               ReadPanelValue(registry, "LastUpdate");
    }

    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost formHost;
    SettingsForm form{SettingsFormContext{registry, language, *this, formHost}};
    test::FakeScript script;
    test::FakeCache cache;
    test::FakeLocale locale;
    test::FakeClock clock;  // its day is 06.12.2026
    PanelServices services{script, cache, cache, registry};
    std::string calls;
    bool connected;
    std::optional<UpdatePanel> panel;
};

// Only an exact "ready" lets the refresh on; a slot count that is no number
// stores no slots, a huge one stops at 16. Slot i lies 1100 twips below slot i - 1.
TEST(UpdatePanel, GoesOnlineBehindTheWaitBoxOrShowsTheNotice) {
    const struct {
        bool online;
        const char *handshake, *slotMax;
        std::size_t requests;
        const char* stored;
        bool notice;
        std::size_t buttons;
        const char* opened;
    } cases[] = {
        {false, "ready", "3", 0, "1||05.12.2026", true, 1, "http://h/0"},
        {true, "ready", "3", 5, "3||06.12.2026", false, 3, "http://h/1"},
        {true, "ready ", "3", 1, "1||05.12.2026", true, 1, "http://h/0"},
        {true, "ready", "abc", 2, "1||06.12.2026", false, 1, "http://h/0"},
        {true, "ready", "17", 18, "16||06.12.2026", false, 16, "http://h/1"},
    };
    for (const auto& c : cases) {
        Panel f(c.online, c.handshake, c.slotMax);
        const UpdatePanel& panel = *f.panel;
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(f.script.bodies.size(), c.requests);
        EXPECT_EQ(f.Stored(), c.stored);
        EXPECT_EQ(f.calls, std::string("snapshot ") + c.opened);
        EXPECT_EQ(panel.LabelUpdate.Caption, "Please wait...\n\nSearching for Updates!");
        EXPECT_FALSE(panel.PictureUpdate.Visible || panel.AdTimer.Enabled);
        EXPECT_TRUE(f.form.LabelConnection.Visible == c.notice &&
                    f.form.LabelConnectionHelp.Visible == c.notice);
        ASSERT_EQ(panel.BtnAd.size(), c.buttons);
        const std::size_t second = std::min<std::size_t>(c.buttons - 1, 1);
        EXPECT_EQ(panel.BtnAd[second].Place, (Rect{0, second == 1 ? 92 : 0, 160, 60}));
    }
}

}  // namespace
}  // namespace brumo
