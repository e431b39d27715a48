// The saver window's ports as recording fakes, and a fixture that wires an
// engine, a form and start-up logic to them on memory surfaces.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Fakes.h"
#include "animation/MainForm.h"
#include "animation/SnowMaker.h"
#include "imaging/ScreenCapturing.h"
#include "startup/ScrSaveManagement.h"

namespace brumo::test {

// One log of everything the fakes were asked to do, in order.
struct CallLog {
    std::vector<std::string> calls;
    void Add(const std::string& call) { calls.push_back(call); }
    bool Has(const std::string& call) const {
        for (const auto& c : calls)
            if (c == call) return true;
        return false;
    }
    int Count(const std::string& call) const {
        int n = 0;
        for (const auto& c : calls) n += c == call;
        return n;
    }
};

class FakeFrameHost : public FrameHost {
  public:
    explicit FakeFrameHost(CallLog& log) : log_(log) {}
    bool parent = true;
    std::string fpsCaption;
    bool fpsVisible = false;
    std::vector<std::string> notices;  // "x,y,color:text"
    std::int32_t screenWidth = 64;

    void SetAnimationTimerEnabled(bool enabled) override {
        log_.Add(enabled ? "timer on" : "timer off");
    }
    void SetFpsVisible(bool visible) override { fpsVisible = visible; }
    void SetFpsCaption(const std::string& caption) override { fpsCaption = caption; }
    bool HasParent() override { return parent; }
    void DrawNoticeText(Surface&, std::int32_t x, std::int32_t y, ColorRef color,
                        const std::string& text) override {
        notices.push_back(std::to_string(x) + "," + std::to_string(y) + "," +
                          std::to_string(color) + ":" + text);
    }
    void HideCursor() override { log_.Add("hide cursor"); }
    void Refresh() override { log_.Add("refresh"); }
    void DoEvents() override { log_.Add("events"); }
    void ShowMessage(const std::string& text, MessageStyle style) override {
        log_.Add("message " + std::to_string(static_cast<int>(style)) + " " + text);
    }
    std::int32_t PrimaryScreenWidth() override { return screenWidth; }
    // Marks one ledge row, from x 10 to 20 at row 30, where icons would be.
    void MarkIconLedges(SnowGrid& grid) override {
        log_.Add("icon ledges");
        grid.MarkRow(30, 10, 20);
    }

  private:
    CallLog& log_;
};

class FakeMainFormHost : public MainFormHost {
  public:
    explicit FakeMainFormHost(CallLog& log) : log_(log) {}
    void ShowMaximized() override { log_.Add("show maximized"); }
    void StartFrameTimer(std::int32_t intervalMs) override {
        log_.Add("start timer " + std::to_string(intervalMs));
    }
    void SetFrameTimerEnabled(bool enabled) override {
        log_.Add(enabled ? "frame timer on" : "frame timer off");
    }
    void ShowDesktopKeys() override { log_.Add("desktop keys"); }
    void Unload() override { log_.Add("unload"); }
    // The stored settings of a test: the preview's values unless a test
    // sets others.
    std::optional<EngineValues> stored;
    ColorRef storedBackColor = 0;
    ColorRef ApplySettingsToEngine(EngineValues& values) override {
        log_.Add("apply settings");
        if (stored)
            values = *stored;
        else
            SetPreviewValues(values);
        return storedBackColor;
    }
    bool iconList = false;
    bool HasDesktopIconList() override { return iconList; }
    void Wait(float ms) override { log_.Add("wait " + std::to_string(static_cast<int>(ms))); }

  private:
    CallLog& log_;
};

class FakeCaptureHost : public CaptureHost {
  public:
    explicit FakeCaptureHost(CallLog& log) : log_(log) {}
    std::optional<Rect> desktop = Rect{0, 0, 64, 48};
    Rect window{0, 0, 16, 12};
    bool copyWorks = true;
    Pixel desktopPixel = 0x336699;

    std::optional<Rect> DesktopRect() override { return desktop; }
    Rect MainWindowRect() override { return window; }
    void HideMainWindow() override { log_.Add("hide window"); }
    void ShowMainWindow() override { log_.Add("show window"); }
    void Wait(float ms) override { log_.Add("wait " + std::to_string(static_cast<int>(ms))); }
    bool CopyDesktop(Surface& target, std::int32_t width, std::int32_t height, std::int32_t x,
                     std::int32_t y) override {
        log_.Add("copy desktop " + std::to_string(width) + "x" + std::to_string(height) + "+" +
                 std::to_string(x) + "+" + std::to_string(y));
        if (!copyWorks) return false;
        for (std::int32_t row = 0; row < std::min(height, target.Height()); ++row)
            for (std::int32_t col = 0; col < std::min(width, target.Width()); ++col)
                target.Row(row)[col] = desktopPixel;
        return true;
    }
    void ShowMessage(const std::string& text, MessageStyle style) override {
        log_.Add("message " + std::to_string(static_cast<int>(style)) + " " + text);
    }

    // Pictures: `pictures` maps a path to the natural size of a solid
    // picture of `picturePixel`; other paths cannot be loaded. A drawn
    // picture fills its rectangle (clipped to the target) with that colour,
    // even when the drawing is then reported as failed.
    std::map<std::string, PictureSize> pictures;
    Pixel picturePixel = 0x8040C0;
    bool drawWorks = true;
    PictureFit fit{false, 100};

    PictureFit BackgroundFit() override { return fit; }
    std::optional<PictureSize> LoadPicture(const std::string& path) override {
        log_.Add("load picture " + path);
        const auto found = pictures.find(path);
        if (found == pictures.end()) return std::nullopt;
        return found->second;
    }
    bool DrawImageScaled(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                         Surface& target, InterpolationMode mode) override {
        log_.Add("draw picture " + std::to_string(width) + "x" + std::to_string(height) + "+" +
                 std::to_string(x) + "+" + std::to_string(y) + " mode " +
                 std::to_string(static_cast<int>(mode)));
        for (std::int32_t row = y; row < y + height; ++row)
            for (std::int32_t col = x; col < x + width; ++col)
                if (target.Contains(col, row)) target.Row(row)[col] = picturePixel;
        return drawWorks;
    }

  private:
    CallLog& log_;
};

// A media device that accepts every command, and paths that are their own
// short form; the commands land in the call log as "mci <command>".
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
    FakeFrameHost frameHost{log};
    FakeMainFormHost formHost{log};
    FakeCaptureHost captureHost{log};
    FakeMedia media{log};
    Sound sound{media, media};
    MainForm form{engine,      MainFormSurfaces{main, backBuffer, mask, image},
                  formHost,    frameHost,
                  captureHost, language,
                  sound};

    SaverFixture() { clock.SetTimer(36000.0); }

    // Sets the timer to `seconds` and runs one tick of the frame timer.
    void TickAt(double seconds) {
        clock.SetTimer(seconds);
        form.AnimationTimer_Timer(0);
    }
};

}  // namespace brumo::test
