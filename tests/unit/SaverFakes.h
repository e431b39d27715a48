// The saver's engine, form and start-up on 64 x 48 memory surfaces, with
// every port they use faked by the fixture itself.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Fakes.h"
#include "animation/MainForm.h"
#include "startup/ScrSaveManagement.h"

namespace brumo::test {

using Calls = std::vector<std::string>;

inline bool Has(const Calls& log, const std::string& call) {
    return std::find(log.begin(), log.end(), call) != log.end();
}

// The calls of a log as one text, separated by "|".
inline std::string Join(const Calls& log) {
    std::string text;
    for (const std::string& call : log) text += (text.empty() ? "" : "|") + call;
    return text;
}

// A call as its name and arguments, separated by blanks.
template <class... Args>
std::string Call(const Args&... args) {
    std::ostringstream text;
    ((text << args << ' '), ...);
    const std::string call = text.str();
    return call.substr(0, call.size() - 1);
}

inline void Fill(Surface& s, Pixel pixel, Rect r) {
    for (std::int32_t y = r.top; y < r.top + r.height; ++y)
        for (std::int32_t x = r.left; x < r.left + r.width; ++x)
            if (s.Contains(x, y)) s.Row(y)[x] = pixel;
}

constexpr Pixel kDesktopPixel = 0x336699, kPicturePixel = 0x8040C0;

// A solid picture.
class FakePicture final : public BackgroundPicture {
  public:
    FakePicture(Calls& log, PictureSize size, Surface& target)
        : log_(log), size_(size), target_(target) {}
    PictureSize Size() const override { return size_; }
    bool DrawScaled(const Rect& r, InterpolationMode mode) override {
        log_.push_back(Call("draw picture", r.width, r.height, r.left, r.top, int(mode)));
        Fill(target_, kPicturePixel, r);
        return true;
    }

  private:
    Calls& log_;
    PictureSize size_;
    Surface& target_;
};

// The fixture is every port of the start-up, the saver window, the shell, the
// timer, the pump, the capture and the media device, and logs what it is
// asked to do. Idle time passes in steps of 500 ms; the desktop is one
// colour; pictures are solid rectangles with the sizes in `pictures`.
struct SaverFixture : StartupHost,
                      SaverWindow,
                      SaverSettings,
                      FrameHost,
                      DesktopShell,
                      FrameTimer,
                      MessagePump,
                      CaptureHost,
                      MciPort,
                      ShortPathPort {
    Calls log;
    bool parent = true, iconList = false;
    std::string fpsCaption;
    Calls notices;        // "x y color text"
    EngineValues stored;  // the stored settings; the preview's by default
    std::optional<Rect> desktop = Rect{0, 0, 64, 48};
    Rect window{0, 0, 16, 12};  // the preview's window, and its parent's client area
    std::map<std::string, PictureSize> pictures;

    FakeClock clock;
    FakeLocale locale;
    FakeTraceSink traceSink;
    Trace trace{traceSink, clock, locale};
    Language language;
    LcgRandom random;
    SnowMaker engine{clock, locale, trace, language, random};
    MemorySurface main, backBuffer, mask, image;
    Sound sound{*this, *this};
    FramePorts frame{*this, *this, *this, *this};
    MainForm form{engine, MainFormSurfaces{main, backBuffer, mask, image},
                  MainFormPorts{*this, *this, *this, frame, clock}, language, sound};
    ScrSaveManagement startup{*this, form, trace};

    SaverFixture() {
        clock.SetTimer(36000.0);
        SetPreviewValues(stored);
    }
    void TickAt(double seconds) {
        clock.SetTimer(seconds);
        form.AnimationTimer_Timer(0);
    }

    template <class... Args>
    void Add(const Args&... args) {
        log.push_back(Call(args...));
    }
    bool IsLibraryAvailable(const std::string& name) override { return Add("probe", name), true; }
    void ShowMessage(const std::string& text, MessageStyle style) override {
        Add("message", int(style), text);
    }
    bool FindSaverWindow() override { return false; }
    void UnloadMainForm() override { Add("unload form"); }
    void MakeMainFormTopmost() override { Add("topmost"); }
    std::int32_t PlatformId() override { return kPlatformNt; }
    void SetScreenSaverActive() override { Add("screen saver active"); }
    void ChangePassword() override { Add("password"); }
    void ReadDesktopIconPositions() override { Add("icon positions"); }
    Rect GetClientRect(std::int32_t) override { return window; }
    std::int32_t GetMainFormStyle() override { return 0x16CF0000; }
    std::int32_t SetMainFormStyle(std::int32_t s) override { return Add("style", s), 0x16CF0000; }
    std::int32_t SetMainFormParent(std::int32_t p) override {
        return Add("parent", p), 65552;  // the previous parent
    }
    std::int32_t SetMainFormOwner(std::int32_t o) override { return Add("owner", o), 0; }
    std::int32_t PlaceMainForm(std::int32_t w, std::int32_t h) override {
        return Add("place", w, h), 1;
    }
    void ShowSettingsDialog(std::int32_t owner) override { Add("settings dialog", owner); }
    void ShowMaximized() override { Add("show maximized"); }
    void Unload() override { Add("unload"); }
    EngineValues LoadEngineValues() override { return Add("settings"), stored; }
    void SetFpsVisible(bool) override {}
    void SetFpsCaption(const std::string& caption) override { fpsCaption = caption; }
    bool HasParent() override { return parent; }
    std::int32_t ScreenDpi() override { return 96; }
    void DrawNoticeText(std::int32_t x, std::int32_t y, ColorRef color,
                        const std::string& text) override {
        notices.push_back(Call(x, y, color, text));
    }
    void HideCursor() override { Add("hide cursor"); }
    void Refresh(const FrameView&) override { Add("refresh"); }
    bool HasDesktopIconList() override { return iconList; }
    void ShowDesktopKeys() override { Add("desktop keys"); }
    // Icons would leave one ledge, from x 10 to 20 at row 30.
    void MarkIconLedges(SnowGrid& grid) override { Add("icon ledges"), grid.MarkRow(30, 10, 20); }
    bool Start(std::int32_t intervalMs) override { return Add("start timer", intervalMs), true; }
    void SetEnabled(bool enabled) override { Add(enabled ? "timer on" : "timer off"); }
    void DoEvents() override {
        Add("events");
        if (onEvents) std::exchange(onEvents, nullptr)();
    }
    std::function<void()> onEvents;  // runs once, inside the next message round
    void IdleWait(int) override { clock.Advance(500); }
    std::optional<Rect> DesktopRect() override { return desktop; }
    Rect MainWindowRect() override { return window; }
    void HideMainWindow() override { Add("hide window"); }
    void ShowMainWindow() override { Add("show window"); }
    bool CopyDesktopToMain(std::int32_t w, std::int32_t h, std::int32_t x,
                           std::int32_t y) override {
        Add("copy desktop", w, h, x, y);
        Fill(main, kDesktopPixel, Rect{0, 0, w, h});
        return true;
    }
    std::unique_ptr<BackgroundPicture> LoadPicture(const std::string& path) override {
        Add("load picture", path);
        const auto found = pictures.find(path);
        if (found == pictures.end()) return nullptr;
        return std::make_unique<FakePicture>(log, found->second, image);
    }
    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        if (reply != nullptr) reply->clear();
        return Add("mci", command), 0;  // every media command is accepted
    }
    std::string ShortPath(const std::string& longPath) override { return longPath; }
};

}  // namespace brumo::test
