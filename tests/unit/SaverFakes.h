// The saver's ports as one recording fake, and a fixture that wires an
// engine, a form and start-up logic to it on memory surfaces.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "Fakes.h"
#include "animation/MainForm.h"
#include "startup/ScrSaveManagement.h"

namespace brumo::test {

// One log of everything the fakes were asked to do, in order.
struct CallLog {
    std::vector<std::string> calls;
    void Add(const std::string& call) { calls.push_back(call); }
    bool Has(const std::string& call) const { return Count(call) > 0; }
    int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }
};

inline void Fill(Surface& s, Pixel pixel, Rect r) {
    for (std::int32_t y = r.top; y < r.top + r.height; ++y)
        for (std::int32_t x = r.left; x < r.left + r.width; ++x)
            if (s.Contains(x, y)) s.Row(y)[x] = pixel;
}

// Every port of the saver window, the shell, the timer, the pump and the
// capture. Waits advance the clock; the desktop is a solid colour; pictures
// are solid rectangles of `picturePixel` with the sizes in `pictures`.
class FakeSaverSystem final : public SaverWindow,
                              public SaverSettings,
                              public FrameHost,
                              public DesktopShell,
                              public FrameTimer,
                              public MessagePump,
                              public CaptureHost {
  public:
    FakeSaverSystem(CallLog& log, FakeClock& clock, Surface& main, Surface& image)
        : log_(log), clock_(clock), main_(main), image_(image) {}
    bool parent = true, iconList = false, copyWorks = true, drawWorks = true;
    std::int32_t dpi = 96;
    std::string fpsCaption;
    bool fpsVisible = false;
    std::vector<std::string> notices;  // "x,y,color:text"
    EngineValues stored;               // the stored settings; the preview's by default
    std::optional<Rect> desktop = Rect{0, 0, 64, 48};
    Rect window{0, 0, 16, 12};
    Pixel desktopPixel = 0x336699, picturePixel = 0x8040C0;
    std::map<std::string, PictureSize> pictures;

    void ShowMaximized() override { log_.Add("show maximized"); }
    void Unload() override { log_.Add("unload"); }
    EngineValues LoadEngineValues() override { return log_.Add("settings"), stored; }
    void SetFpsVisible(bool visible) override { fpsVisible = visible; }
    void SetFpsCaption(const std::string& caption) override { fpsCaption = caption; }
    bool HasParent() override { return parent; }
    std::int32_t ScreenDpi() override { return dpi; }
    void DrawNoticeText(std::int32_t x, std::int32_t y, ColorRef color,
                        const std::string& text) override {
        notices.push_back(std::to_string(x) + "," + std::to_string(y) + "," +
                          std::to_string(color) + ":" + text);
    }
    void HideCursor() override { log_.Add("hide cursor"); }
    void Refresh() override { log_.Add("refresh"); }
    void ShowMessage(const std::string& text, MessageStyle style) override {
        log_.Add("message " + std::to_string(static_cast<int>(style)) + " " + text);
    }
    bool HasDesktopIconList() override { return iconList; }
    void ShowDesktopKeys() override { log_.Add("desktop keys"); }
    // Marks one ledge row, from x 10 to 20 at row 30, where icons would be.
    void MarkIconLedges(SnowGrid& grid) override {
        log_.Add("icon ledges");
        grid.MarkRow(30, 10, 20);
    }
    bool Start(std::int32_t intervalMs) override {
        return log_.Add("start timer " + std::to_string(intervalMs)), true;
    }
    void SetEnabled(bool enabled) override { log_.Add(enabled ? "timer on" : "timer off"); }
    void DoEvents() override { log_.Add("events"); }
    // Idle time passes in steps of 500 ms.
    void IdleWait(int) override { clock_.Advance(500); }
    std::optional<Rect> DesktopRect() override { return desktop; }
    Rect MainWindowRect() override { return window; }
    void HideMainWindow() override { log_.Add("hide window"); }
    void ShowMainWindow() override { log_.Add("show window"); }
    bool CopyDesktopToMain(std::int32_t width, std::int32_t height, std::int32_t x,
                           std::int32_t y) override {
        log_.Add("copy desktop " + std::to_string(width) + "x" + std::to_string(height) + "+" +
                 std::to_string(x) + "+" + std::to_string(y));
        if (copyWorks) Fill(main_, desktopPixel, Rect{0, 0, width, height});
        return copyWorks;
    }
    std::unique_ptr<BackgroundPicture> LoadPicture(const std::string& path) override;

  private:
    CallLog& log_;
    FakeClock& clock_;
    Surface& main_;
    Surface& image_;
};

// A solid picture; drawn, it fills its rectangle even when reported as failed.
class FakePicture final : public BackgroundPicture {
  public:
    FakePicture(CallLog& log, PictureSize size, Surface& target, Pixel pixel, bool works)
        : log_(log), size_(size), target_(target), pixel_(pixel), works_(works) {}
    PictureSize Size() const override { return size_; }
    bool DrawScaled(const Rect& r, InterpolationMode mode) override {
        log_.Add("draw picture " + std::to_string(r.width) + "x" + std::to_string(r.height) + "+" +
                 std::to_string(r.left) + "+" + std::to_string(r.top) + " mode " +
                 std::to_string(static_cast<int>(mode)));
        Fill(target_, pixel_, r);
        return works_;
    }

  private:
    CallLog& log_;
    PictureSize size_;
    Surface& target_;
    Pixel pixel_;
    bool works_;
};

inline std::unique_ptr<BackgroundPicture> FakeSaverSystem::LoadPicture(const std::string& path) {
    log_.Add("load picture " + path);
    const auto found = pictures.find(path);
    if (found == pictures.end()) return nullptr;
    return std::make_unique<FakePicture>(log_, found->second, image_, picturePixel, drawWorks);
}

// A media device that accepts every command; commands land in the log as "mci <command>".
class FakeMedia : public MciPort, public ShortPathPort {
  public:
    explicit FakeMedia(CallLog& log) : log_(log) {}
    std::uint32_t SendString(const std::string& command, std::string* reply) override {
        log_.Add("mci " + command);
        if (reply != nullptr) reply->clear();
        return 0;
    }
    std::string ShortPath(const std::string& longPath) override { return longPath; }

  private:
    CallLog& log_;
};

// An engine and its form on 64 x 48 memory surfaces, with every port faked.
struct SaverFixture {
    CallLog log;
    FakeClock clock;
    FakeLocale locale;
    FakeTraceSink traceSink;
    Trace trace{traceSink, clock, locale};
    Language language;
    LcgRandom random;
    SnowMaker engine{clock, locale, trace, language, random};
    MemorySurface main, backBuffer, mask, image;
    FakeSaverSystem system{log, clock, main, image};
    FakeMedia media{log};
    Sound sound{media, media};
    FramePorts frame{system, system, system, system};
    MainForm form{engine, MainFormSurfaces{main, backBuffer, mask, image},
                  MainFormPorts{system, system, system, frame, clock}, language, sound};

    SaverFixture() {
        clock.SetTimer(36000.0);
        SetPreviewValues(system.stored);
    }
    // Sets the timer to `seconds` and runs one tick of the frame timer.
    void TickAt(double seconds) {
        clock.SetTimer(seconds);
        form.AnimationTimer_Timer(0);
    }
};

}  // namespace brumo::test
