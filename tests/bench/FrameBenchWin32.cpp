// Frame benchmark of the saver's real drawing path on Windows (and Wine): a
// full-screen saver window with its four DIB-section surfaces, the engine at
// the screen's size, and each step of a frame timed on its own - restore of
// the work surface, flake pass, copy to the visible surface, present to the
// window - for a few flake settings. Beside each, the same animation carried
// on the straightforward way, one GDI call sequence per flake, and the ratio
// of the two whole frames. Prints medians in milliseconds; it is a benchmark,
// not a test: nothing passes or fails.
//
// Usage: bench_frames.exe [frames per case]
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

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
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
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

// Flakes drawn the way the GDI calls do it: a brush fill for a block; mask
// AND + image OR; or copy, colour-keyed copy and AlphaBlend through a scratch.
class GdiPainter final : public FlakePainter {
  public:
    GdiPainter(const FlakeBitmap& flake, const EngineValues& values, SaverSurfaces& surfaces)
        : values_(values), surfaces_(surfaces), w_(flake.Width()), h_(flake.Height()) {
        for (auto [to, from] :
             {std::pair{&mask_, &flake.Mask()}, {&image_, &flake.InvertImage()}}) {
            to->Resize(w_, h_);
            CopySurface(*to, 0, 0, w_, h_, *from, 0, 0);
        }
        scratch_.Resize(w_, h_);
    }
    void DrawFallingFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        Draw(surfaces_.mask.Dc(), x, y, alpha);
    }
    void DrawSettledFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        Draw(surfaces_.backBuffer.Dc(), x, y, alpha);
    }

  private:
    void Masked(HDC target, int x, int y) const {
        BitBlt(target, x, y, w_, h_, mask_.Dc(), 0, 0, SRCAND);
        BitBlt(target, x, y, w_, h_, image_.Dc(), 0, 0, SRCPAINT);
    }
    void Draw(HDC target, int x, int y, int alpha) {
        if (values_.SnowballType == kFlakeTypeBlock) {
            const UniqueBrush brush(CreateSolidBrush(values_.SnowballColor));
            const RECT r{x, y, x + values_.FlakeWidth, y + values_.FlakeHeight};
            FillRect(target, &r, brush.get());
            return;
        }
        if (alpha == kOpaqueAlpha) return Masked(target, x, y);
        BitBlt(scratch_.Dc(), 0, 0, w_, h_, target, x, y, SRCCOPY);
        if (values_.SnowballColor != kBlack)
            TransparentBlt(scratch_.Dc(), 0, 0, w_, h_, image_.Dc(), 0, 0, w_, h_, RGB(0, 0, 0));
        else
            Masked(scratch_.Dc(), 0, 0);
        AlphaBlend(target, x, y, w_, h_, scratch_.Dc(), 0, 0, w_, h_,
                   BLENDFUNCTION{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0});
    }
    const EngineValues& values_;
    SaverSurfaces& surfaces_;
    int w_, h_;
    DibSurface mask_, image_, scratch_;
};

// Per frame: restore, flakes, copy, present and the whole frame.
constexpr std::size_t kParts = 5;
using Parts = std::array<std::vector<double>, kParts>;

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
        CopySurface(surfaces.backBuffer, 0, 0, screen.width, screen.height, surfaces.image, 0, 0);
        CopySurface(surfaces.main, 0, 0, screen.width, screen.height, surfaces.image, 0, 0);
        window.ShowMaximized();
        loop.DoEvents();
    }

    EngineValues ValuesFor(const BenchCase& c) const {
        SettingsRecord record;
        record.CountSnowballs = c.countSnowballs;
        record.SnowballType = c.type;
        record.Transparency = c.transparency;
        return ApplySettingsToEngine(record, true);
    }

    // One frame of the engine, step by step, as DoFrame runs them.
    void EngineFrame(SnowMaker& engine, Parts* parts) {
        std::array<double, kParts + 1> at{NowMs()};
        engine.RestoreWorkSurface();
        at[1] = NowMs();
        engine.StepFlakes();
        at[2] = NowMs();
        const FrameView view = engine.ShowFrame(false, false, window);
        at[3] = NowMs();
        window.Refresh(view);
        at[4] = NowMs();
        loop.DoEvents();
        for (std::size_t i = 0; parts != nullptr && i + 1 < kParts; ++i)
            (*parts)[i].push_back(at[i + 1] - at[i]);
        if (parts != nullptr) parts->back().push_back(at[4] - at[0]);
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
        engine.Values = ValuesFor(c);
        engine.Background = screen;
        engine.SetSurfaces(
            SnowSurfaces{&surfaces.image, &surfaces.backBuffer, &surfaces.mask, &surfaces.main});
        engine.AllocateGrid(screen.width, screen.height);
        CopySurface(surfaces.backBuffer, 0, 0, screen.width, screen.height, surfaces.image, 0, 0);
        engine.InitSnow(FramePorts{window, shell, timer, loop});
        for (int i = 0; i < kWarmUpFrames; ++i) EngineFrame(engine, nullptr);
        Parts parts;
        for (int i = 0; i < frames; ++i) EngineFrame(engine, &parts);

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

        std::printf("%-34s", c.name);
        for (const std::vector<double>& part : parts) std::printf(" %8.3f", Median(part));
        std::printf(" %10.2f %7.0fx\n", Median(gdi), Median(gdi) / Median(parts.back()));
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
    std::printf("%-34s %8s %8s %8s %8s %8s %10s %8s\n", "case", "restore", "flakes", "copy",
                "present", "frame", "gdi frame", "ratio");
    for (const BenchCase& c : kCases) bench.Run(c, frames);
    return 0;
}
