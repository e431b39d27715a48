// The news panel against fakes: the once-a-day decision with what it shows,
// requests and stores, the slot places in twips, and what a slot click opens.
#include <gtest/gtest.h>

#include <utility>

#include "FakePanel.h"
#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "Fakes.h"
#include "online/UpdatePanel.h"

namespace brumo {
namespace {

using test::kCache;
constexpr Rect kFirst{0, 0, 160, 60};         // slot 1's button
constexpr const char* kToday = "06.12.2026";  // FakeLocale's text for FakeClock's day

using Stored = std::vector<std::pair<std::string, std::string>>;

// An English dialog with `stored` in the panel's section; with any stored,
// slots 1 and 2 have their pictures in the cache. The script offers three
// slots with pictures, but the third lacks the exact "Slot:" and so is empty.
// A picture file loads once and paints 0x010101; the places are at 144 DPI.
struct Panel : MessageSink, UpdatePanelHost {
    explicit Panel(const Stored& stored = {})
        : preset((Preset(stored), true)),
          panel(
              {form, *this, services, language, locale, clock, PanelScriptUrl("h"), kFirst, 144}) {}
    void Preset(const Stored& stored) {
        language.SetLanguage(kEnglish);
        script.replies = {{"action=handshake", "ready"}, {"action=getslotmax", "3"}};
        for (const std::string id : {"1", "2", "3"}) {
            script.replies["lang=2&action=getslot&id=" + id] =
                (id == "3" ? "slot:" : "Slot:") + ("Image:http://h/" + id + ".gif");
            cache.pictures["http://h/" + id + ".gif"] = "GIF";
            if (!stored.empty()) cache.files[kCache + "Slot" + id + ".gif"] = "GIF\r\n";
        }
        for (const auto& [name, text] : stored) WritePanelValue(registry, name, text);
    }
    void ShowMessage(const std::string&, MessageStyle) override {}
    void MakeSnapshot() override { calls.push_back("snapshot"); }
    bool IsInternetConnected() override { return connected; }
    void OpenAddress(const std::string& address) override { calls.push_back("open " + address); }
    bool LoadPicture(const std::string& path, Surface& picture) override {
        ++loads;
        if (std::exchange(cache.files[path], "") != "GIF\r\n") return false;
        return picture.SetBackColor(0x010101), picture.Clear(), true;
    }
    std::string Value(const std::string& name) { return ReadPanelValue(registry, name); }
    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost formHost;
    SettingsForm form{SettingsFormContext{registry, language, *this, formHost}};
    test::FakeScript script;
    test::FakeCache cache;
    test::FakeLocale locale;
    test::FakeClock clock;
    PanelServices services{script, cache, cache, registry};
    std::vector<std::string> calls;  // "snapshot", "open <address>"
    std::size_t loads = 0;
    bool connected = true;
    bool preset;
    UpdatePanel panel;
};

TEST(UpdatePanel, GoesOnlineAtMostOnceADay) {
    const struct {
        const char* lastUpdate;  // null: nothing stored
        bool connected;
        const char* handshake;
        const char* slotMax;
        std::size_t requests;
        bool notice;
        const char* storedAfter;     // LastUpdate and SlotMax
        std::size_t loads, buttons;  // pictures asked for at load and after the timer
    } cases[] = {
        {kToday, true, "ready", "3", 0, false, "06.12.2026 2", 2 + 2, 2},
        {"05.12.2026", false, "ready", "3", 0, true, "05.12.2026 2", 2 + 2, 2},
        {"05.12.2026", true, "ready", "abc", 2, false, "06.12.2026 2", 2, 2},
        {nullptr, true, "ready", "1e9", 2 + 16, false, "06.12.2026 16", 0 + 2, 16},
        {nullptr, true, "ready ", "3", 1, true, " ", 0, 1},
    };
    for (const auto& c : cases) {
        Panel f(c.lastUpdate == nullptr ? Stored{}
                                        : Stored{{"LastUpdate", c.lastUpdate},
                                                 {"SlotMax", "2"},
                                                 {"Slot1", "Image:http://h/1.gif"},
                                                 {"Slot2", "Image:http://h/2.gif"}});
        f.script.replies["action=handshake"] = c.handshake;
        f.script.replies["action=getslotmax"] = c.slotMax;
        f.connected = c.connected;
        UpdatePanel& panel = f.panel;
        ASSERT_TRUE(panel.AdTimer.Enabled && panel.AdTimer.Interval == 2000);
        forms::Fire(panel.AdTimer.Timer);
        const bool due = c.requests > 0 || !c.connected;
        SCOPED_TRACE(&c - cases);  // the row
        EXPECT_EQ(f.script.bodies.size(), c.requests);
        EXPECT_TRUE(f.script.wellFormed);
        EXPECT_EQ(f.calls, std::vector<std::string>(due ? 1 : 0, "snapshot"));
        EXPECT_EQ(panel.LabelUpdate.Caption, due ? "Please wait...\n\nSearching for Updates!" : "");
        EXPECT_FALSE(panel.PictureUpdate.Visible || panel.AdTimer.Enabled);
        EXPECT_TRUE(f.form.LabelConnection.Visible == c.notice &&
                    f.form.LabelConnectionHelp.Visible == c.notice);
        EXPECT_EQ(f.Value("LastUpdate") + " " + f.Value("SlotMax"), c.storedAfter);
        EXPECT_EQ(f.loads, c.loads);
        ASSERT_EQ(panel.BtnAd.size(), c.buttons);
        for (std::size_t i = 0; i < c.buttons; ++i) {  // 1100 twips apart
            EXPECT_EQ(panel.BtnAd[i].Place, (Rect{0, 110 * static_cast<int>(i), 160, 60})) << i;
            EXPECT_EQ(panel.BtnAd[i].Visible, c.loads > 0) << i;
            EXPECT_EQ(panel.BtnAd[i].Tag, f.Value("Slot" + std::to_string(i + 1))) << i;
        }
        const auto& kept = panel.BtnAd[0].Picture;  // a failed second load keeps the first
        EXPECT_EQ(kept ? kept->At(0, 0) : 0, c.loads > 0 ? 0x010101U : 0U);
    }
}

TEST(UpdatePanel, AClickOpensOnlyAWebLink) {
    const std::pair<const char*, const char*> cases[] = {
        // tag, what opens ("": nothing)
        {"Standard:URL;URL:http://h/news", "http://h/news"},
        {"Standard:url;URL:http://h/news", ""},
        {"Standard:URL;URL:mailto:m@h", ""},
    };
    for (const auto& [tag, opened] : cases) {
        Panel f({{"SlotMax", "2"}, {"Slot2", tag}});
        for (const std::size_t element : {0, 1, 2}) f.panel.BtnAd_Click(element);
        EXPECT_EQ(f.calls, std::vector<std::string>(*opened ? 1 : 0, std::string("open ") + opened))
            << tag;
    }
}

}  // namespace
}  // namespace brumo
