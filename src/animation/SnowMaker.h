// The snow engine: its values for the run, the byte grid of settled snow, the
// flakes, the frame clock and the `Running` flag, for the life of the process.
//
// Control flow: `MainForm::StartScreenSaver` fills `Values` and `Background`,
// sizes the grid (`AllocateGrid`) and calls `InitSnow` (ground marks, flakes,
// Running = true). Every tick of the frame timer runs `DoFrame`:
//   1. first frame / periodic restart (grid and back buffer wiped),
//   2. frame-rate label, 3. preview parent test,
//   4. `DrawFlakes`: back buffer -> work surface (only the places the last
//      frame's flakes covered, when that is cheaper), then every flake
//      stepped and drawn (settling flakes are painted once into the back
//      buffer),
//   5. the window is to show the snow rectangle straight from the work
//      surface; only while the manual notice runs is the rectangle copied
//      onto the visible surface first, under the notice,
//   6. manual-start notice (placed for the screen's DPI) / the cursor
//      hidden, once,
//   7. repaint and message pass,
//   8. the manual grace period undoing an end request,
//   9. the answer Stop once Running is false; the form then tears down.
// Input only clears Running (`StopRunning`); the frame ends the run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "animation/DesktopShell.h"
#include "animation/ManualNotice.h"
#include "animation/RandomSource.h"
#include "animation/SnowFlakes.h"
#include "animation/SnowGrid.h"
#include "animation/WorkSurfaceRestore.h"
#include "common/Clock.h"
#include "common/FrameTimer.h"
#include "common/LocalePort.h"
#include "common/MessagePump.h"
#include "common/MessageSink.h"
#include "common/Trace.h"
#include "imaging/FastDrawing.h"
#include "imaging/FlakeBitmap.h"
#include "imaging/Surface.h"
#include "resources/Language.h"
#include "settings/EngineValues.h"

namespace brumo {

// What the window shows: the snow rectangle from the work surface and the
// rest from the visible surface - or, while the manual notice runs on the
// visible surface, all of the visible surface.
struct FrameView {
    bool snowFromWork = false;
    Rect snow;
};

// What a frame needs from the saver window.
class FrameHost : public MessageSink {
  public:
    virtual void SetFpsVisible(bool visible) = 0;
    virtual void SetFpsCaption(const std::string& caption) = 0;
    // False once the preview's parent window is gone.
    virtual bool HasParent() = 0;
    // The screen's dots per inch, which the notice's font follows.
    virtual std::int32_t ScreenDpi() = 0;
    // Prints text on the visible surface in Arial 14 with a transparent background.
    virtual void DrawNoticeText(std::int32_t x, std::int32_t y, ColorRef color,
                                const std::string& text) = 0;
    virtual void HideCursor() = 0;
    // Repaints the window with the view (and keeps it for later repaints).
    virtual void Refresh(const FrameView& view) = 0;
};

// Everything outside the engine a frame talks to.
struct FramePorts {
    FrameHost& window;
    DesktopShell& shell;
    FrameTimer& timer;
    MessagePump& pump;
};

struct FrameClock {
    float StartTime = 0.0f;    // timer of the first frame
    float RestartTime = 0.0f;  // timer of the last restart
    float FpsTime = 0.0f;      // start of the current frame-rate window
    std::int32_t FpsFrames = 0;
};

// The saver window's surfaces the engine draws with.
struct SnowSurfaces {
    Surface* image = nullptr;       // clean background
    Surface* backBuffer = nullptr;  // background + settled snow
    Surface* mask = nullptr;        // work surface of the current frame
    Surface* main = nullptr;        // visible surface
};

enum class FrameOutcome { Continue, Stop };

constexpr double kFpsWindowSeconds = 2.0;
constexpr std::int32_t kManualGraceSeconds = 5;
constexpr std::int32_t kNoticeWipeSeconds = 6;
constexpr const char* kNoParentTrace = "no parent: StopSworl";

class SnowMaker final : private FlakePainter {
  public:
    SnowMaker(Clock& clock, LocalePort& locale, Trace& trace, const Language& language,
              RandomSource& random)
        : clock_(clock), locale_(locale), trace_(trace), language_(language), random_(random) {}

    EngineValues Values;
    // BackgroundImageLeft/Top/Width/Height: where the picture lies on the main surface.
    Rect Background;

    void SetSurfaces(const SnowSurfaces& surfaces) {
        surfaces_ = surfaces;
        restore_.Invalidate();
    }
    void AllocateGrid(double width, double height) { grid_.Allocate(width, height); }
    void InitSnow(FramePorts ports);
    // `DrawFlakes`: the work surface restored from the back buffer, then every
    // flake stepped and drawn.
    void DrawFlakes() {
        RestoreWorkSurface();
        StepFlakes();
    }
    void RestoreWorkSurface();
    void StepFlakes();
    // Steps 5 and 6 of a frame: the manual notice or the hidden cursor; the
    // answer is what the window is to show.
    FrameView ShowFrame(bool a_Preview, bool a_Manual, FrameHost& host);
    FrameOutcome DoFrame(bool a_Preview, bool a_Manual, FramePorts ports);
    void StopRunning() { running_ = false; }
    // A preview whose box is gone ends its run, with its trace line.
    bool StopIfOrphaned(FrameHost& host);

    bool Running() const { return running_; }
    const FrameClock& GetFrameClock() const { return frameClock_; }
    const SnowGrid& Grid() const { return grid_; }
    const std::vector<Flake>& Flakes() const { return flakes_; }

  private:
    void DrawFallingFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override;
    void DrawSettledFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override;
    void DrawFlake(Surface* target, std::int32_t x, std::int32_t y, std::int32_t alpha);
    bool PrepareFlakePicture(FrameHost& host);
    void Restart(FramePorts ports);
    void CountFrame(FrameHost& host);
    void DrawManualNotice(FrameHost& host, float now);
    void RestoreNoticeStrip();

    Clock& clock_;
    LocalePort& locale_;
    Trace& trace_;
    const Language& language_;
    RandomSource& random_;
    WorkSurfaceRestore restore_;
    FlakeBitmap flakeBitmap_;
    BlendScratch scratch_;
    SnowSurfaces surfaces_;
    SnowGrid grid_;
    std::vector<Flake> flakes_;
    FrameClock frameClock_;
    NoticeLayout notice_;  // placed once per run: the screen and its DPI stay
    bool running_ = false;
    bool cursorHidden_ = false;  // nothing shows it again until the process ends
};

}  // namespace brumo
