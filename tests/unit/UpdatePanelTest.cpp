// The news panel around its protocol: the stored slots shown at load, the
// timer's once-a-day visit with the wait box or the offline notice, the slot
// places in twips, and which slot clicks open anything.
#include <gtest/gtest.h>

#include <optional>

#include "FakePanel.h"
#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "Fakes.h"
#include "online/UpdatePanel.h"

namespace brumo {
namespace {

// An English dialog at 120 DPI with one slot stored; the script offers two
// slots, the second without the exact "Standard:URL".
struct Panel : MessageSink, UpdatePanelHost {
    explicit Panel(const char* lastUpdate, bool online) : connected(online) {
        language.SetLanguage(kEnglish);
        script.replies = {{"action=handshake", "ready"},
                          {"action=getslotmax", "2"},
                          {"lang=2&action=getslot&id=1", "Slot:Standard:URL;URL:http://h/1"},
                          {"lang=2&action=getslot&id=2", "Slot:Standard:url;URL:http://h/2"}};
        for (const auto& [name, text] :
             {std::pair{"LastUpdate", lastUpdate}, {"SlotMax", "1"}, {"Slot1", "URL:x"}})
            WritePanelValue(registry, name, text);
        panel.emplace(UpdatePanelContext{form,
                                         *this,
                                         services,
                                         language,
                                         locale,
                                         clock,
                                         PanelScriptUrl("h"),
                                         {0, 0, 160, 60},
                                         120});
    }
    void ShowMessage(const std::string&, MessageStyle) override {}
    void MakeSnapshot() override { calls.push_back("snapshot"); }
    bool IsInternetConnected() override { return connected; }
    void OpenAddress(const std::string& address) override { calls.push_back("open " + address); }
    bool LoadPicture(const std::string&, Surface&) override { return false; }

    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost formHost;
    SettingsForm form{SettingsFormContext{registry, language, *this, formHost}};
    test::FakeScript script;
    test::FakeCache cache;
    test::FakeLocale locale;
    test::FakeClock clock;  // its day is 06.12.2026
    PanelServices services{script, cache, cache, registry};
    std::vector<std::string> calls;
    bool connected;
    std::optional<UpdatePanel> panel;
};

TEST(UpdatePanel, TheTimerGoesOnlineOnceADayBehindTheWaitBox) {
    const struct {
        const char* lastUpdate;
        bool online;
        std::size_t requests, buttons;
        bool notice;
    } cases[] = {
        {"06.12.2026", true, 0, 1, false},
        {"05.12.2026", false, 0, 1, true},
        {"05.12.2026", true, 4, 2, false},
    };
    for (const auto& c : cases) {
        Panel f(c.lastUpdate, c.online);
        UpdatePanel& panel = *f.panel;
        ASSERT_EQ(panel.BtnAd.size(), 1U);  // the stored slot at once
        EXPECT_EQ(panel.BtnAd[0].Tag, "URL:x");
        ASSERT_TRUE(panel.AdTimer.Enabled && panel.AdTimer.Interval == 2000);
        forms::Fire(panel.AdTimer.Timer);
        const bool due = c.lastUpdate[1] == '5';
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(f.script.bodies.size(), c.requests);
        EXPECT_EQ(f.calls, std::vector<std::string>(due ? 1 : 0, "snapshot"));
        EXPECT_EQ(panel.LabelUpdate.Caption, due ? "Please wait...\n\nSearching for Updates!" : "");
        EXPECT_FALSE(panel.PictureUpdate.Visible || panel.AdTimer.Enabled);
        EXPECT_TRUE(f.form.LabelConnection.Visible == c.notice &&
                    f.form.LabelConnectionHelp.Visible == c.notice);
        ASSERT_EQ(panel.BtnAd.size(), c.buttons);
        EXPECT_EQ(panel.BtnAd.back().Place, (Rect{0, c.buttons == 2 ? 92 : 0, 160, 60}));
    }
}

TEST(UpdatePanel, OnlyAnExactUrlActionOpensItsLink) {
    Panel f("05.12.2026", true);
    forms::Fire(f.panel->AdTimer.Timer);
    for (const std::size_t element : {0, 1, 2}) f.panel->BtnAd_Click(element);
    EXPECT_EQ(f.calls, (std::vector<std::string>{"snapshot", "open http://h/1"}));
}

}  // namespace
}  // namespace brumo
