// The news panel's display rules against a fake script, cache, registry and
// dialog: the once-a-day decision, the slot buttons and their places, what a
// click opens, and the "Don't check again (today)" link.
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

const std::string kKey = SectionKeyPath("UpdatePanel");
const std::string kCache = "C:\\Users\\u\\AppData\\Local\\Halvix\\Brumo\\UpdatePanel\\";
constexpr const char* kToday = "06.12.2026";  // FakeLocale's date of FakeClock's day

struct FakePanelHost : UpdatePanelHost {
    std::vector<std::string> calls;  // "snapshot", "connected?", "open <address>"
    std::vector<std::string> loads;  // every picture path asked for
    std::set<std::string> pictures;  // paths that load
    bool connected = true;
    void MakeSnapshot() override { calls.push_back("snapshot"); }
    bool IsInternetConnected() override { return calls.push_back("connected?"), connected; }
    void OpenAddress(const std::string& address) override { calls.push_back("open " + address); }
    bool LoadPicture(const std::string& path, Surface& picture) override {
        loads.push_back(path);
        if (pictures.count(path) == 0) return false;
        picture.SetBackColor(static_cast<ColorRef>(loads.size()));
        picture.Clear();
        return true;
    }
};

struct PanelFixture : MessageSink {
    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost formHost;
    test::FakeScript script;
    test::FakeCache cache;
    test::FakeLocale locale;
    test::FakeClock clock;
    FakePanelHost host;
    std::optional<SettingsForm> form;
    std::optional<UpdatePanel> panel;

    void ShowMessage(const std::string&, MessageStyle) override {}
    void Preset(const char* name, const char* value) { registry.Preset(kKey, name, value); }
    // Three slots as the script offers them; pictures in the cache load.
    void ServeThreeSlots() {
        script.replies = {{"action=handshake", "ready"},
                          {"action=getslotmax", "3"},
                          {"lang=2&action=getslot&id=1", "Slot:Standard:URL;Image:http://h/a.gif"},
                          {"lang=2&action=getslot&id=2", "Slot:Image:http://h/b.JPG"},
                          {"lang=2&action=getslot&id=3", "Slot:URL:x;Image:http://h/c.bmp"}};
        for (const char* name : {"a.gif", "b.JPG", "c.bmp"})
            cache.pictures[std::string("http://h/") + name] = "picture";
        for (const char* name : {"Slot1.gif", "Slot2.JPG", "Slot3.bmp"})
            host.pictures.insert(kCache + name);
    }
    void Open(std::int32_t pixelsPerInch = 96) {
        registry.Preset(SectionKeyPath("Settings"), "Language", "2");
        form.emplace(SettingsFormContext{registry, language, *this, formHost});
        panel.emplace(UpdatePanelContext{*form,
                                         host,
                                         {script, cache, cache, registry},
                                         language,
                                         locale,
                                         clock,
                                         PanelScriptUrl("h"),
                                         {0, 0, 160, 60},
                                         pixelsPerInch});
    }
    std::string Stored(const char* name) const { return registry.Stored(kKey, name).value_or("-"); }
};

TEST(UpdatePanel, GoesOnlineAtMostOnceADay) {
    const struct {
        const char* lastUpdate;  // nullptr: missing
        bool connected;
        const char* handshake;
        std::size_t requests;
        bool waitBox, notice;
        const char* storedAfter;
        std::size_t pictureLoads;  // at load and after the timer
    } cases[] = {
        {kToday, true, "ready", 0, false, false, kToday, 3 + 3},
        {nullptr, true, "ready", 5, true, false, kToday, 0 + 3},
        {"05.12.2026", true, "ready", 5, true, false, kToday, 3 + 3},
        {"05.12.2026", false, "ready", 0, true, true, "05.12.2026", 3 + 3},
        {nullptr, true, "Ready", 1, true, true, "-", 0},
        {"", true, "", 1, true, true, "", 3},
    };
    for (const auto& c : cases) {
        PanelFixture f;
        f.ServeThreeSlots();
        f.script.replies["action=handshake"] = c.handshake;
        f.host.connected = c.connected;
        if (c.lastUpdate != nullptr) {
            f.Preset("LastUpdate", c.lastUpdate);
            f.Preset("SlotMax", "3");
            f.Preset("Slot1", "Image:http://h/a.gif");
            f.Preset("Slot2", "Image:http://h/b.JPG");
            f.Preset("Slot3", "Image:http://h/c.bmp");
        }
        f.Open();
        UpdatePanel& panel = *f.panel;
        EXPECT_TRUE(panel.AdTimer.Enabled);
        EXPECT_EQ(panel.AdTimer.Interval, 2000);
        forms::Fire(panel.AdTimer.Timer);
        const std::string label = c.lastUpdate ? c.lastUpdate : "missing";
        EXPECT_EQ(f.script.bodies.size(), c.requests) << label;
        EXPECT_TRUE(f.script.wellFormed);
        EXPECT_EQ(f.host.calls.size() > 0 && f.host.calls[0] == "snapshot", c.waitBox) << label;
        EXPECT_EQ(panel.LabelUpdate.Caption,
                  c.waitBox ? "Please wait...\n\nSearching for Updates!" : "");
        EXPECT_FALSE(panel.PictureUpdate.Visible);
        EXPECT_FALSE(panel.AdTimer.Enabled);
        EXPECT_EQ(f.form->LabelConnection.Visible, c.notice) << label;
        EXPECT_EQ(f.form->LabelConnectionHelp.Visible, c.notice) << label;
        EXPECT_EQ(f.Stored("LastUpdate"), c.storedAfter) << label;
        EXPECT_EQ(f.host.loads.size(), c.pictureLoads) << label;
        EXPECT_EQ(panel.BtnAd.size(), c.pictureLoads > 0 ? 3U : 1U) << label;
    }
}

TEST(UpdatePanel, ThreeSlotsOnlineAreStoredCachedAndPlacedInTwips) {
    const struct {
        std::int32_t pixelsPerInch;
        std::int32_t top2, top3;
    } cases[] = {{96, 73, 147}, {144, 110, 220}};
    for (const auto& c : cases) {
        PanelFixture f;
        f.ServeThreeSlots();
        f.host.pictures.erase(kCache + "Slot2.JPG");
        f.Open(c.pixelsPerInch);
        forms::Fire(f.panel->AdTimer.Timer);
        const std::map<std::string, std::string> stored = {
            {"SlotMax", "3"},
            {"Slot1", "Standard:URL;Image:http://h/a.gif"},
            {"Slot2", "Image:http://h/b.JPG"},
            {"Slot3", "URL:x;Image:http://h/c.bmp"},
            {"LastUpdate", kToday}};
        for (const auto& [name, value] : stored) EXPECT_EQ(f.Stored(name.c_str()), value) << name;
        EXPECT_EQ(f.cache.files.size(), 3U);
        EXPECT_EQ(f.cache.files.count(kCache + "Slot2.JPG"), 1U);
        const std::vector<AdButton>& buttons = f.panel->BtnAd;
        ASSERT_EQ(buttons.size(), 3U);
        const Rect places[] = {{0, 0, 160, 60}, {0, c.top2, 160, 60}, {0, c.top3, 160, 60}};
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(buttons[i].Place, places[i]) << i;
            EXPECT_TRUE(buttons[i].Visible);
        }
        EXPECT_EQ(buttons[0].Tag, "Standard:URL;Image:http://h/a.gif");
        ASSERT_NE(buttons[2].Picture, nullptr);
        EXPECT_EQ(buttons[2].Picture->Width(), 160);
        EXPECT_EQ(buttons[1].Picture, nullptr);  // its file is no picture
    }
}

TEST(UpdatePanel, CacheWithoutSlotsKeepsTheFirstButtonAndAFailedPictureKeepsTheOld) {
    for (const char* slotMax : {"", "0", "-1", "x"}) {
        PanelFixture f;
        if (*slotMax != '\0') f.Preset("SlotMax", slotMax);
        f.Open();
        EXPECT_EQ(f.panel->BtnAd.size(), 1U) << slotMax;
        EXPECT_FALSE(f.panel->BtnAd[0].Visible) << slotMax;
        EXPECT_TRUE(f.host.loads.empty());
    }
    PanelFixture f;
    f.ServeThreeSlots();
    f.Preset("SlotMax", "1");
    f.Preset("Slot1", "Image:http://h/a.gif");
    f.Open();
    const Surface* shown = f.panel->BtnAd[0].Picture.get();
    ASSERT_NE(shown, nullptr);
    f.host.pictures.clear();
    forms::Fire(f.panel->AdTimer.Timer);
    EXPECT_EQ(f.panel->BtnAd[0].Picture.get(), shown);
    EXPECT_EQ(f.panel->BtnAd[0].Tag, "Standard:URL;Image:http://h/a.gif");
    EXPECT_EQ(f.panel->BtnAd[1].Picture, nullptr);
}

TEST(UpdatePanel, AClickOpensOnlyAWebLink) {
    const struct {
        const char* tag;
        const char* opened;  // "" when nothing opens
    } cases[] = {
        {"Standard:URL;URL:http://h/news", "http://h/news"},
        {"standard:URL;url:HTTPS://h/a?b=c:d", "HTTPS://h/a?b=c:d"},
        {"Standard:url;URL:http://h/news", ""},
        {"Standard:URL ;URL:http://h/news", ""},
        {"URL:http://h/news", ""},
        {"Standard:URL;URL:file://C:/Windows/notepad.exe", ""},
        {"Standard:URL;URL:C:\\Windows\\notepad.exe", ""},
        {"Standard:URL;URL:\\\\server\\share\\x.exe", ""},
        {"Standard:URL;URL:brumo-x:run", ""},
        {"Standard:URL;URL:http://h/a b", ""},
        {"Standard:URL;URL:http://h/a;URL:http://h/b", ""},
    };
    for (const auto& c : cases) {
        PanelFixture f;
        f.Preset("SlotMax", "2");
        f.Preset("Slot2", c.tag);
        f.Open();
        f.panel->BtnAd_Click(1);
        f.panel->BtnAd_Click(0);
        f.panel->BtnAd_Click(7);
        const std::string opened = f.host.calls.empty() ? "" : f.host.calls.back();
        EXPECT_EQ(opened, *c.opened ? std::string("open ") + c.opened : "") << c.tag;
        EXPECT_LE(f.host.calls.size(), 1U);
    }
}

TEST(UpdatePanel, HelpLinkStoresTodayAndUnderlinesUnderTheMouse) {
    PanelFixture f;
    f.script.replies = {{"action=handshake", "no"}};
    f.Open();
    forms::Fire(f.panel->AdTimer.Timer);
    ASSERT_TRUE(f.form->LabelConnectionHelp.Visible);
    EXPECT_EQ(f.Stored("LastUpdate"), "-");
    f.panel->LabelConnectionHelp_Click();
    EXPECT_EQ(f.Stored("LastUpdate"), kToday);
    EXPECT_FALSE(f.form->LabelConnectionHelp.Visible);
    EXPECT_TRUE(f.form->LabelConnection.Visible);

    UpdatePanel& p = *f.panel;
    const std::pair<void (UpdatePanel::*)(), bool> moves[] = {
        {&UpdatePanel::LabelConnectionHelp_MouseMove, true},
        {&UpdatePanel::LabelConnection_MouseMove, false},
        {&UpdatePanel::LabelConnectionHelp_MouseMove, true},
        {&UpdatePanel::PictureAd_MouseMove, false},
        {&UpdatePanel::LabelConnectionHelp_MouseMove, true},
        {&UpdatePanel::Form_MouseMove, false},
    };
    for (const auto& [move, underlined] : moves) {
        (p.*move)();
        EXPECT_EQ(p.LabelConnectionHelpUnderline, underlined);
    }
}

}  // namespace
}  // namespace brumo
