// Frame benchmark of the saver's real drawing path under Wine: a full-screen
// saver window with its four DIB-section surfaces and the engine at the
// screen's size. Per flake setting, the median milliseconds of a whole frame
// (restore of the work surface, flakes, copy to the visible surface, present
// to the window); beside it the same animation carried on with one GDI call
// sequence per flake, and the ratio of the two. (The flake pass alone is
// timed natively by bench_drawing.) A benchmark, not a test: nothing passes
// or fails.
//
// Usage: bench_frames.exe [frames per case]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../win/GdiFlake.h"
#include "Fakes.h"
#include "animation/SaverWindowWin32.h"
#include "common/MessageLoopWin32.h"
#include "settings/SettingsRecord.h"

namespace brumo {
namespace {

struct BenchCase {
    const char* name;
    std::int32_t countSnowballs;
    std::int32_t type;
    std::int32_t transparency;
};

constexpr BenchCase kCases[] = {
    {"defaults (301 small round, 192)", 300, 1, 192},
    {"5001 small round, 192", 5000, 1, 192},
    {"5001 small round, 255", 5000, 1, 255},
    {"5001 block 4x4", 5000, kFlakeTypeBlock, 192},
    {"5001 crystal 1, 192", 5000, kFlakeTypeCrystal1, 192},
};
constexpr int kWarmUpFrames = 40;  // every flake faded in, some settled
constexpr int kDefaultFrames = 300;
constexpr int kGdiFlakeBudget = 20000;  // flakes drawn the GDI way per case

double NowMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(now).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A desktop-like picture: soft gradients with some detail.
void PaintBackground(Surface& surface) {
    for (std::int32_t y = 0; y < surface.Height(); ++y)
        for (std::int32_t x = 0; x < surface.Width(); ++x)
            surface.Row(y)[x] = static_cast<Pixel>(((x / 4) & 0xFF) << 16 | ((y / 3) & 0xFF) << 8 |
                                                   ((x ^ y) & 0x3F));
}

struct NoShell final : DesktopShell {
    bool HasDesktopIconList() override { return false; }
    void ShowDesktopKeys() override {}
    void MarkIconLedges(SnowGrid&) override {}
};
struct NoTimer final : FrameTimer {
    bool Start(std::int32_t) override { return true; }
    void SetEnabled(bool) override {}
};

// Flakes drawn the GDI way: a brush fill for a block, else GdiFlake.
class GdiPainter final : public FlakePainter {
  public:
    GdiPainter(const FlakeBitmap& flake, const EngineValues& values, SaverSurfaces& surfaces)
        : flake_(flake), values_(values), surfaces_(surfaces) {}
    void DrawFallingFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        Draw(surfaces_.mask.Dc(), x, y, alpha);
    }
    void DrawSettledFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        Draw(surfaces_.backBuffer.Dc(), x, y, alpha);
    }

  private:
    void Draw(HDC target, int x, int y, int alpha) {
        if (values_.SnowballType != kFlakeTypeBlock)
            return flake_.Draw(target, x, y, values_.SnowballColor, alpha);
        const UniqueBrush brush(CreateSolidBrush(values_.SnowballColor));
        const RECT r{x, y, x + values_.FlakeWidth, y + values_.FlakeHeight};
        FillRect(target, &r, brush.get());
    }
    GdiFlake flake_;
    const EngineValues& values_;
    SaverSurfaces& surfaces_;
};

// The fixed parts of a saver run around the engine.
struct Bench {
    test::FakeClock clock;
    test::FakeLocale locale;
    test::FakeTraceSink traceSink;
    Trace trace{traceSink, clock, locale};
    Language language;
    NoShell shell;
    NoTimer timer;
    MessageLoop loop;
    SaverSurfaces surfaces;
    SaverWindowWin32 window;
    Rect screen;

    explicit Bench(HINSTANCE instance)
        : window(instance, surfaces),
          screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)} {
        clock.stepMs = 1;
        for (DibSurface* s :
             {&surfaces.main, &surfaces.backBuffer, &surfaces.mask, &surfaces.image})
            s->Resize(screen.width, screen.height);
        PaintBackground(surfaces.image);
        window.ShowMaximized();
        loop.DoEvents();
    }

    // One frame of the engine, as DoFrame draws and shows it.
    double EngineFrame(SnowMaker& engine) {
        const double start = NowMs();
        engine.DrawFlakes();
        window.Refresh(engine.ShowFrame(false, false, window));
        const double ms = NowMs() - start;
        loop.DoEvents();
        return ms;
    }

    // The same animation carried on with a GDI call sequence per flake:
    // back buffer -> work surface, flakes, work -> visible, present.
    double GdiFrame(std::vector<Flake>& flakes, SnowGrid& grid, LcgRandom& random,
                    const EngineValues& values, GdiPainter& painter) {
        const double start = NowMs();
        BitBlt(surfaces.mask.Dc(), 0, 0, screen.width, screen.height, surfaces.backBuffer.Dc(), 0,
               0, SRCCOPY);
        for (std::size_t i = 0; i < flakes.size(); ++i)
            StepFlake(flakes, static_cast<std::int32_t>(i), values, grid, random, painter);
        BitBlt(surfaces.main.Dc(), 0, 0, screen.width, screen.height, surfaces.mask.Dc(), 0, 0,
               SRCCOPY);
        GdiFlush();
        const WindowDc dc(window.Handle());
        BitBlt(dc.Get(), 0, 0, screen.width, screen.height, surfaces.main.Dc(), 0, 0, SRCCOPY);
        GdiFlush();
        const double ms = NowMs() - start;
        loop.DoEvents();
        return ms;
    }

    void Run(const BenchCase& c, int frames) {
        LcgRandom random;
        SnowMaker engine(clock, locale, trace, language, random);
        SettingsRecord record;
        record.CountSnowballs = c.countSnowballs;
        record.SnowballType = c.type;
        record.Transparency = c.transparency;
        engine.Values = ApplySettingsToEngine(record, true);
        engine.Background = screen;
        engine.SetSurfaces(
            SnowSurfaces{&surfaces.image, &surfaces.backBuffer, &surfaces.mask, &surfaces.main});
        engine.AllocateGrid(screen.width, screen.height);
        CopySurface(surfaces.backBuffer, 0, 0, screen.width, screen.height, surfaces.image, 0, 0);
        engine.InitSnow(FramePorts{window, shell, timer, loop});
        for (int i = 0; i < kWarmUpFrames; ++i) EngineFrame(engine);
        std::vector<double> ours;
        for (int i = 0; i < frames; ++i) ours.push_back(EngineFrame(engine));

        std::vector<Flake> flakes = engine.Flakes();
        SnowGrid grid = engine.Grid();
        LcgRandom gdiRandom = random;
        FlakeBitmap flake;
        if (c.type != kFlakeTypeBlock)
            LoadFlakeType(flake, c.type, engine.Values.SnowballColor, window, language);
        GdiPainter painter(flake, engine.Values, surfaces);
        std::vector<double> gdi;
        const int gdiFrames = std::max<int>(3, kGdiFlakeBudget / static_cast<int>(flakes.size()));
        for (int i = 0; i < gdiFrames; ++i)
            gdi.push_back(GdiFrame(flakes, grid, gdiRandom, engine.Values, painter));

        std::printf("%-34s %8.3f %10.2f %7.0fx\n", c.name, Median(ours), Median(gdi),
                    Median(gdi) / Median(ours));
        std::fflush(stdout);
    }
};

}  // namespace
}  // namespace brumo

int main(int argc, char** argv) {
    using namespace brumo;
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultFrames;
    Bench bench(GetModuleHandleW(nullptr));
    std::printf("screen %dx%d, medians of %d frames in ms (gdi: one GDI call sequence per flake)\n",
                bench.screen.width, bench.screen.height, frames);
    std::printf("%-34s %8s %10s %8s\n", "case", "frame", "gdi frame", "ratio");
    for (const BenchCase& c : kCases) bench.Run(c, frames);
    return 0;
}
