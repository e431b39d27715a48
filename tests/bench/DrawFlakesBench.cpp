// Time of one frame's flake pass at 1920 x 1080: the full copy of the back
// buffer onto the work surface plus every flake stepped and drawn.
#include <benchmark/benchmark.h>

#include "SaverFakes.h"
#include "settings/SettingsForm.h"

namespace brumo {
namespace {

// Arguments: flake count setting, flake type, transparency.
void DrawFlakes(benchmark::State& state) {
    test::SaverFixture f;
    f.desktop = Rect{0, 0, 1920, 1080};
    EngineValues& stored = f.stored;  // the preview values, as the fixture starts
    stored.CountSnowballs = static_cast<std::int32_t>(state.range(0));
    stored.SnowballType = static_cast<std::int32_t>(state.range(1));
    stored.Transparency = static_cast<std::int32_t>(state.range(2));
    stored.SecondaryAlpha = SecondaryAlphaFor(stored.Transparency);
    f.form.StartScreenSaver(false, false);
    for (auto _ : state) {
        f.engine.DrawFlakes();
        benchmark::ClobberMemory();
    }
    state.counters["flakes"] = static_cast<double>(f.engine.Flakes().size());
}
// Block flakes (type 7, opaque), then "Small and round" (type 1) opaque and blended.
BENCHMARK(DrawFlakes)
    ->ArgsProduct({{300, 5000}, {7}, {255}})
    ->ArgsProduct({{5000}, {1}, {255, 192}})
    ->ArgsProduct({{5000}, {2}, {192}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brumo

BENCHMARK_MAIN();
