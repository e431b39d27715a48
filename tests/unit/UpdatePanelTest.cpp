// The news panel's rules against fakes: the once-a-day decision, slot places
// in twips, pictures that fail to load, and what a slot click opens.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "FakePanel.h"
#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "Fakes.h"
#include "online/UpdatePanel.h"

namespace brumo {
namespace {

const std::string kCache = "C:\\Users\\u\\AppData\\Local\\Halvix\\Brumo\\UpdatePanel\\";
constexpr const char* kToday = "06.12.2026";  // FakeLocale's text for FakeClock's day

// A German dialog whose script offers three slots, each with a picture.
struct Panel : MessageSink, UpdatePanelHost {
    Panel() {
        script.replies = {{"action=handshake", "ready"}, {"action=getslotmax", "3"}};
        for (const std::string id : {"1", "2", "3"}) {
            script.replies["lang=1&action=getslot&id=" + id] = "Slot:Image:http://h/" + id + ".gif";
            pictures.insert(kCache + "Slot" + id + ".gif");
        }
    }
    void ShowMessage(const std::string&, MessageStyle) override {}
    void MakeSnapshot() override { calls.push_back("snapshot"); }
    bool IsInternetConnected() override { return connected; }
    void OpenAddress(const std::string& address) override { calls.push_back("open " + address); }
    bool LoadPicture(const std::string& path, Surface&) override {
        return ++loads, pictures.count(path) > 0;
    }
    UpdatePanel& Open(std::int32_t pixelsPerInch = 96) {
        return panel.emplace(UpdatePanelContext{form,
                                                *this,
                                                {script, cache, cache, registry},
                                                language,
                                                locale,
                                                clock,
                                                PanelScriptUrl("h"),
                                                {0, 0, 160, 60},
                                                pixelsPerInch});
    }
    std::string key = SectionKeyPath("UpdatePanel");
    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost formHost;
    SettingsForm form{SettingsFormContext{registry, language, *this, formHost}};
    test::FakeScript script;
    test::FakeCache cache;
    test::FakeLocale locale;
    test::FakeClock clock;
    std::optional<UpdatePanel> panel;
    std::vector<std::string> calls;  // "snapshot", "open <address>"
    std::set<std::string> pictures;  // the paths that load
    std::size_t loads = 0;
    bool connected = true;
};

TEST(UpdatePanel, GoesOnlineAtMostOnceADay) {
    const struct {
        const char* lastUpdate;  // null: nothing stored, no slots either
        bool connected;
        const char* handshake;
        std::size_t requests;
        bool notice;
        const char* storedAfter;
        std::size_t loads, buttons;  // pictures asked for at load and after the timer
    } cases[] = {
        {kToday, true, "ready", 0, false, kToday, 2 + 2, 2},
        {nullptr, true, "ready", 5, false, kToday, 0 + 3, 3},
        {"05.12.2026", true, "ready", 5, false, kToday, 2 + 3, 3},
        {"05.12.2026", false, "ready", 0, true, "05.12.2026", 2 + 2, 2},
        {nullptr, true, "Ready", 1, true, "-", 0, 1},
        {"", true, "", 1, true, "", 2, 2},
    };
    for (const auto& c : cases) {
        Panel f;
        f.script.replies["action=handshake"] = c.handshake;
        f.connected = c.connected;
        if (c.lastUpdate != nullptr) {
            for (const auto& [name, text] : {std::pair{"LastUpdate", c.lastUpdate},
                                             {"SlotMax", "2"},
                                             {"Slot1", "Image:http://h/1.gif"},
                                             {"Slot2", "Image:http://h/2.gif"}})
                f.registry.Preset(f.key, name, text);
        }
        UpdatePanel& panel = f.Open();
        ASSERT_TRUE(panel.AdTimer.Enabled && panel.AdTimer.Interval == 2000);
        forms::Fire(panel.AdTimer.Timer);
        const bool due = c.requests > 0 || !c.connected;
        const std::string label = c.lastUpdate ? c.lastUpdate : "missing";
        EXPECT_EQ(f.script.bodies.size(), c.requests) << label;
        EXPECT_TRUE(f.script.wellFormed);
        EXPECT_EQ(f.calls, std::vector<std::string>(due ? 1 : 0, "snapshot")) << label;
        EXPECT_EQ(panel.LabelUpdate.Caption, due ? "Bitte warten...\n\nSuche nach Updates!" : "");
        EXPECT_FALSE(panel.PictureUpdate.Visible || panel.AdTimer.Enabled);
        EXPECT_EQ(f.form.LabelConnection.Visible, c.notice) << label;
        EXPECT_EQ(f.form.LabelConnectionHelp.Visible, c.notice) << label;
        EXPECT_EQ(f.registry.Stored(f.key, "LastUpdate").value_or("-"), c.storedAfter) << label;
        EXPECT_EQ(f.loads, c.loads) << label;
        EXPECT_EQ(panel.BtnAd.size(), c.buttons) << label;
        EXPECT_EQ(panel.BtnAd[0].Visible, c.loads > 0) << label;
    }
}

TEST(UpdatePanel, SlotsLieOneSpacingApartAndAPictureThatFailsKeepsTheOld) {
    Panel f;
    f.pictures.erase(kCache + "Slot2.gif");
    UpdatePanel& panel = f.Open(144);
    panel.RefreshPanelOnline(kToday);
    ASSERT_EQ(panel.BtnAd.size(), 3U);
    const Rect places[] = {{0, 0, 160, 60}, {0, 110, 160, 60}, {0, 220, 160, 60}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(panel.BtnAd[i].Place, places[i]) << i;
        EXPECT_EQ(panel.BtnAd[i].Picture != nullptr, i != 1) << i;
    }
    const Surface* first = panel.BtnAd[0].Picture.get();
    f.pictures.clear();
    panel.RefreshPanelOnline(kToday);
    EXPECT_EQ(panel.BtnAd[0].Picture.get(), first);
    EXPECT_EQ(panel.BtnAd[2].Picture, nullptr);
}

TEST(UpdatePanel, AClickOpensOnlyAWebLink) {
    const std::pair<const char*, const char*> cases[] = {
        // tag, what opens ("": nothing)
        {"Standard:URL;URL:http://h/news", "http://h/news"},
        {"standard:URL;url:HTTPS://h/a?b=c:d", "HTTPS://h/a?b=c:d"},
        {"Standard:url;URL:http://h/news", ""},
        {"URL:http://h/news", ""},
        {"Standard:URL;URL:file://C:/Windows/notepad.exe", ""},
        {"Standard:URL;URL:C:\\Windows\\notepad.exe", ""},
        {"Standard:URL;URL:\\\\server\\share\\x.exe", ""},
        {"Standard:URL;URL:brumo-x:run", ""},
        {"Standard:URL;URL:http://h/a;URL:http://h/b", ""},
    };
    for (const auto& [tag, opened] : cases) {
        Panel f;
        f.registry.Preset(f.key, "SlotMax", "2");
        f.registry.Preset(f.key, "Slot2", tag);
        UpdatePanel& panel = f.Open();
        for (const std::size_t element : {0, 1, 2}) panel.BtnAd_Click(element);
        EXPECT_EQ(f.calls, std::vector<std::string>(*opened ? 1 : 0, std::string("open ") + opened))
            << tag;
    }
}

}  // namespace
}  // namespace brumo
