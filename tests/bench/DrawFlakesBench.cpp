// Time of one frame's flake pass at 1920 x 1080: the full copy of the back
// buffer onto the work surface plus every flake stepped and drawn.
#include <benchmark/benchmark.h>

#include "SaverFakes.h"

namespace brumo {
namespace {

void DrawFlakesBlock(benchmark::State& state) {
    test::SaverFixture f;
    f.captureHost.desktop = Rect{0, 0, 1920, 1080};
    f.frameHost.screenWidth = 1920;
    f.form.StartScreenSaver(false, false);
    f.engine.Values.CountSnowballs = static_cast<std::int32_t>(state.range(0));
    f.engine.InitSnow(f.frameHost);
    for (auto _ : state) {
        f.engine.DrawFlakes();
        benchmark::ClobberMemory();
    }
    state.counters["flakes"] = static_cast<double>(f.engine.Flakes().size());
}
BENCHMARK(DrawFlakesBlock)->Arg(300)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brumo

BENCHMARK_MAIN();
