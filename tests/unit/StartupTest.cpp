// Start-up dispatch, the single-instance rule and the preview's embedding.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo {
namespace {

class FakeStartupHost : public StartupHost {
  public:
    explicit FakeStartupHost(test::CallLog& log) : log_(log) {}
    bool gdiplus = true;
    std::vector<bool> saverWindows{false};  // answers of successive FindSaverWindow calls
    std::int32_t platform = 2;
    Rect rect{0, 0, 152, 112};
    std::int32_t previousParent = 65552;
    std::int32_t style = 0x16CF0000;

    bool IsLibraryAvailable(const std::string& library) override {
        log_.Add("probe " + library);
        return gdiplus;
    }
    void ShowMessage(const std::string& text, MessageStyle s) override {
        log_.Add("message " + std::to_string(static_cast<int>(s)) + " " + text);
    }
    bool FindSaverWindow() override {
        const bool found = saverWindows.front();
        if (saverWindows.size() > 1) saverWindows.erase(saverWindows.begin());
        return found;
    }
    void UnloadMainForm() override { log_.Add("unload form"); }
    void MakeMainFormTopmost() override { log_.Add("topmost"); }
    std::int32_t PlatformId() override { return platform; }
    void SetScreenSaverActive() override { log_.Add("screen saver active"); }
    void ChangePassword() override { log_.Add("password"); }
    void ReadDesktopIconPositions() override { log_.Add("icon positions"); }
    Rect GetClientRect(std::int32_t window) override {
        log_.Add("client rect " + std::to_string(window));
        return rect;
    }
    std::int32_t GetMainFormStyle() override { return style; }
    std::int32_t SetMainFormStyle(std::int32_t s) override {
        log_.Add("style " + std::to_string(s));
        return style;
    }
    std::int32_t SetMainFormParent(std::int32_t parent) override {
        log_.Add("parent " + std::to_string(parent));
        return previousParent;
    }
    std::int32_t SetMainFormOwner(std::int32_t owner) override {
        log_.Add("owner " + std::to_string(owner));
        return 0;
    }
    std::int32_t PlaceMainForm(std::int32_t width, std::int32_t height) override {
        log_.Add("place " + std::to_string(width) + "x" + std::to_string(height));
        return 1;
    }

  private:
    test::CallLog& log_;
};

struct StartupFixture : test::SaverFixture {
    FakeStartupHost host{log};
    ScrSaveManagement startup{host, form, trace};
};

TEST(Main, WithoutGdiplusShowsTheGermanMessageAndStartsNothing) {
    StartupFixture f;
    f.host.gdiplus = false;
    f.startup.Main("/s");
    EXPECT_EQ(f.log.calls,
              (std::vector<std::string>{"probe gdiplus.dll",
                                        "message 0 GDI+ DLL fehlt. Programm wird beendet."}));
}

TEST(Main, FullScreenChecksTwiceThenStartsTopmost) {
    StartupFixture f;
    f.startup.Main("");
    EXPECT_EQ(f.traceSink.lines, (std::vector<std::string>{"DivurUdididIriva not found",
                                                           "DivurUdididIriva not found"}));
    // The icons are read before any saver window covers the desktop.
    EXPECT_EQ(f.log.calls[1], "icon positions");
    EXPECT_EQ(f.log.calls[2], "topmost");
    EXPECT_FALSE(f.log.Has("screen saver active"));
    EXPECT_TRUE(f.log.Has("start timer 50"));
    EXPECT_FALSE(f.form.IsManual);
    EXPECT_FALSE(f.form.IsPreview);
    EXPECT_EQ(f.startup.ModeKeyText(), "");
}

TEST(Main, ManualModeAndOlderWindowsFamily) {
    StartupFixture f;
    f.host.platform = 1;
    f.startup.Main("/M MANUAL");
    EXPECT_TRUE(f.form.IsManual);
    EXPECT_TRUE(f.log.Has("screen saver active"));
}

TEST(Main, ASecondFullScreenStartShowsNothing) {
    StartupFixture f;
    f.host.saverWindows = {true, true};
    f.startup.Main("/s");
    EXPECT_EQ(f.traceSink.lines,
              (std::vector<std::string>{"DivurUdididIriva found", "DivurUdididIriva found"}));
    EXPECT_TRUE(f.log.Has("unload form"));
    EXPECT_FALSE(f.log.Has("icon positions"));
    EXPECT_FALSE(f.log.Has("topmost"));
    EXPECT_FALSE(f.log.Has("show maximized"));
}

TEST(Main, OtherModes) {
    for (const char* line : {"/m", "-s", " /s", "/c", "/c:1234", "/x"}) {
        StartupFixture f;
        f.startup.Main(line);
        EXPECT_EQ(f.log.calls, std::vector<std::string>{"probe gdiplus.dll"}) << line;
    }
    StartupFixture a;
    a.startup.Main("/a");
    EXPECT_TRUE(a.log.Has("password"));
    EXPECT_FALSE(a.log.Has("show maximized"));
}

TEST(StartPreview, EmbedsTheWindowAndTracesEachStep) {
    StartupFixture f;
    f.startup.Main("/p 1234");
    const std::vector<std::string> expected{"StartPreview hThumb: 1234",
                                            "frm.Name: MainForm",
                                            "DivurUdididIriva not found",
                                            "DivurUdididIriva not found",
                                            "GetClientRect left: 0top: 0right 152bottom: 112",
                                            "SetParent: 382664704",
                                            "SetParent: 65552Err: 0",
                                            "SetWindowLong: 0Err: 0",
                                            "SetWindowPos: 1Err: 0"};
    EXPECT_EQ(f.traceSink.lines, expected);
    EXPECT_TRUE(f.log.Has("style " + std::to_string(0x16CF0000 | 0x40000000)));
    EXPECT_TRUE(f.log.Has("parent 1234"));
    EXPECT_TRUE(f.log.Has("owner 1234"));
    EXPECT_TRUE(f.log.Has("place 152x112"));
    EXPECT_TRUE(f.form.IsPreview);
    EXPECT_TRUE(f.log.Has("start timer 50"));
}

TEST(StartPreview, EndsWithoutShowingAnythingWhenItCannotEmbed) {
    struct Case {
        const char* line;
        std::vector<bool> saverWindows;
        std::int32_t previousParent;
        const char* lastTrace;
    };
    for (const Case& c : {Case{"/p", {false}, 65552, "frm.Name: MainForm"},  // no handle
                          Case{"/p 77", {true, true}, 65552, "DivurUdididIriva found"},
                          Case{"/p 999", {false}, 0, "SetParent: 0Err: 0"}}) {  // stale handle
        StartupFixture f;
        f.host.saverWindows = c.saverWindows;
        f.host.previousParent = c.previousParent;
        f.startup.Main(c.line);
        EXPECT_EQ(f.traceSink.lines.back(), c.lastTrace) << c.line;
        EXPECT_TRUE(f.log.Has("unload form")) << c.line;
        EXPECT_FALSE(f.log.Has("show maximized")) << c.line;
    }
}

TEST(StartPreview, AnUnwritableTraceEndsThePreviewWithAMessage) {
    StartupFixture f;
    f.traceSink.failWrites = true;
    f.startup.StartPreview(1234);
    EXPECT_TRUE(f.log.Has("message 48 75\r\nPath/File access error"));
    EXPECT_TRUE(f.log.Has("unload form"));
    EXPECT_FALSE(f.log.Has("show maximized"));

    // Outside the preview a failing trace is dropped quietly.
    StartupFixture g;
    g.traceSink.failWrites = true;
    g.startup.Main("/s");
    EXPECT_TRUE(g.log.Has("start timer 50"));
}

}  // namespace
}  // namespace brumo
