// One frame of a flake (drift, fall, fade, wrap, settling, restarts) against
// scripted random numbers, and the flakes' placement.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animation/SnowFlakes.h"

namespace brumo {
namespace {

// Hands out the given numbers in order; records the seedings and counts draws.
class ScriptedRandom final : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<float> numbers = {}) : numbers_(std::move(numbers)) {}
    std::vector<float> seeds;
    std::size_t draws = 0;
    void Seed(float timer) override { seeds.push_back(timer); }
    float Next() override { return draws < numbers_.size() ? numbers_[draws++] : (++draws, -1.0f); }
    bool UsedAll() const { return draws == numbers_.size(); }

  private:
    std::vector<float> numbers_;
};

// Records each draw as "f x,y,alpha" (falling) or "s x,y,alpha" (settled).
class RecordingPainter final : public FlakePainter {
  public:
    using I = std::int32_t;
    std::string calls;
    void DrawFallingFlake(I x, I y, I alpha) override { Add(" f ", x, y, alpha); }
    void DrawSettledFlake(I x, I y, I alpha) override { Add(" s ", x, y, alpha); }
    void Add(const char* kind, I x, I y, I alpha) {
        calls += kind + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(alpha);
    }
};

constexpr std::int32_t kUB1 = 130;  // screen 100 x 50: UB1 = 130, UB2 = 50
constexpr std::int32_t kFull = 192;

struct Scene {
    std::int32_t turbulence = 0, direction = 0, transparency = kFull, cellHeight = 3;
    bool fromSky = false;
    std::int32_t ground = 99;  // first ground row; 99: none
    double screenHeight = 50.0;
};

// One step of one flake with exactly the given numbers. The cell (2 x cellHeight)
// differs from the drawn size (5 x 7), so that a rule using the wrong one shows.
std::string Step(Flake& flake, const Scene& scene, std::vector<float> numbers, SnowGrid& grid) {
    EngineValues values;
    values.FallingDirection = static_cast<std::int16_t>(scene.direction);
    values.SnowAlwaysFromSky = scene.fromSky;
    values.FlakeCellWidth = 2;
    values.FlakeCellHeight = scene.cellHeight;
    values.FlakeWidth = 5;
    values.FlakeHeight = 7;
    values.Turbulence = static_cast<std::uint8_t>(scene.turbulence);
    values.Transparency = scene.transparency;
    values.SecondaryAlpha = 100;
    if (!grid.IsAllocated()) grid.Allocate(100.0, scene.screenHeight);
    grid.MarkGround(scene.ground);
    std::vector<Flake> flakes = {flake};
    ScriptedRandom random(numbers);
    RecordingPainter painter;
    StepFlake(flakes, 0, values, grid, random, painter);
    EXPECT_TRUE(random.UsedAll()) << random.draws << " numbers drawn";
    flake = flakes[0];
    return painter.calls;
}

// Each row: the setup, the flake before, the numbers, the flake after and the draws.
TEST(StepFlake, OneFrameOfOneFlake) {
    const struct {
        Scene scene;
        Flake before;
        std::vector<float> numbers;
        Flake after;
        const char* calls;
    } cases[] = {
        // clang-format off
        // Drift trunc(2 r t + direction - t) in single precision, fall by the cell height.
        {{0, 2}, {50, 10, kFull}, {0.99f}, {52, 13, kFull}, "f 52,13,192"},
        {{3, 1}, {50, 10, kFull}, {0.9f}, {53, 13, kFull}, ""},
        {{1, 0}, {50, 10, kFull}, {0.01f}, {50, 13, kFull}, ""},
        {{1, 1}, {50, 10, kFull}, {0x1.fffffep-2f}, {51, 13, kFull}, ""},  // 2r + 1 rounds up to 2
        // Fading in by ten up to the transparency; above it, left alone.
        {{}, {50, 0, 0}, {0.5f}, {50, 3, 10}, "f 50,3,10"},
        {{}, {50, 0, 185}, {0.5f}, {50, 3, kFull}, ""},
        {{0, 0, 25}, {50, 10, 40}, {0.5f}, {50, 13, 40}, ""},
        // Held one row above the last; still fading there, it restarts at the top.
        {{0, 0, kFull, 6}, {50, 40, 0}, {0.5f}, {50, 46, 10}, "f 50,46,10"},
        {{0, 0, kFull, 6}, {50, 44, 0}, {0.5f, 0.5f}, {65, -7, kFull}, "f 50,49,10"},
        // Wrapping beyond UB1 + width and below -2 x width.
        {{0, 1}, {kUB1 + 5, 10, kFull}, {0.5f}, {-5, 13, kFull}, "f -5,13,192"},
        {{0, -1}, {-10, 10, kFull}, {0.5f}, {kUB1, 13, kFull}, ""},
        // Ground from row 30: from (10, 26) it reaches 29 and rests at 27, is drawn
        // settled and once more onto the frame, and restarts high: X = trunc(150 r - 10),
        // Y = trunc(50 r - 12.5) toward zero, held at -7 (opaque) above it; from the sky only X.
        {{.ground = 30}, {10, 26, kFull}, {0.5f, 0.5f, 0.5f}, {65, 12, 0},
            "f 10,29,192 s 10,27,100 f 10,27,100"},
        {{.ground = 30}, {10, 26, kFull}, {0.5f, 0.01f, 0.2f}, {-8, -2, 0}, ""},
        {{.ground = 30}, {10, 26, kFull}, {0.5f, 0.5f, 0.08f}, {65, -7, kFull}, ""},
        {{.fromSky = true, .ground = 30}, {10, 26, kFull}, {0.5f, 0.99f}, {138, -7, kFull}, ""},
        // Still fading in, it falls through.
        {{.ground = 30}, {10, 26, 100}, {0.5f}, {10, 29, 110}, "f 10,29,110"},
        // Touching the last two rows: opaque rests there, fading restarts at the top
        // (Y = trunc(-50 / 4) held at -7; on a short grid trunc(-1.5) = -1, from the sky -7).
        {{}, {10, 47, kFull}, {0.5f, 0.5f, 0.5f}, {65, 12, 0},
            "f 10,49,192 s 10,49,100 f 10,49,100"},
        {{}, {10, 46, 100}, {0.5f, 0.5f}, {65, -7, kFull}, "f 10,49,110"},
        {{.screenHeight = 6.0}, {10, 2, 100}, {0.5f, 0.25f}, {27, -1, 0}, ""},
        {{.fromSky = true, .screenHeight = 6.0}, {10, 2, 100}, {0.5f, 0.25f}, {27, -7, kFull}, ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        Flake flake = c.before;
        SnowGrid grid;
        const std::string calls = Step(flake, c.scene, c.numbers, grid);
        EXPECT_EQ(flake, c.after) << c.before.X << "," << c.before.Y << "," << c.before.Alpha;
        if (*c.calls != '\0') {
            EXPECT_EQ(calls, std::string(" ") + c.calls);
        }
    }
}

// A settled flake marks its cell, and only inside the grid; an index outside
// the flakes does nothing.
TEST(StepFlake, SettlingMarksTheCellAndOnlyInsideTheGrid) {
    SnowGrid grid, bottom;
    Flake flakes[] = {{10, 26, kFull}, {10, 45, kFull}, {20, 47, kFull}};
    Step(flakes[0], {.ground = 30}, {0.5f, 0.5f, 0.5f}, grid);  // rests at 27
    Step(flakes[1], {}, {0.5f, 0.5f, 0.5f}, bottom);            // rests at 48
    Step(flakes[2], {}, {0.5f, 0.5f, 0.5f}, bottom);            // held at 49: reaches past the grid
    std::string marked;
    for (std::int32_t y = -30; y <= 50; ++y)
        for (std::int32_t x = -30; x <= kUB1; ++x)
            if ((y < 30 && grid.At(x, y) != 0) || bottom.At(x, y) != 0)
                marked += std::to_string(x) + "," + std::to_string(y) + " ";
    EXPECT_EQ(marked, "10,27 11,27 10,28 11,28 10,29 11,29 10,48 11,48 10,49 11,49 10,50 11,50 ");
    std::vector<Flake> one = {{1, 2, 3}};
    ScriptedRandom random;
    RecordingPainter painter;
    for (const std::int32_t index : {1, -1})
        StepFlake(one, index, EngineValues{}, grid, random, painter);
    EXPECT_EQ(one[0], (Flake{1, 2, 3}));
    EXPECT_EQ(painter.calls + std::to_string(random.draws), "0");
}

TEST(PlaceFlakes, ArrayAndRandomPositionsFromTheFirstIndexOn) {
    EXPECT_EQ(DimensionFlakes(10).size(), 11u);
    EXPECT_EQ(DimensionFlakes(0).size(), 401u);
    EngineValues values;
    values.FlakeWidth = 9;
    values.Transparency = kFull;
    std::vector<Flake> flakes = DimensionFlakes(3);
    flakes[0] = flakes[1] = {1, 2, 3};
    const auto place = [&](std::vector<float> numbers, std::int16_t first, Rect background,
                           std::int32_t screenWidth = 800) {
        ScriptedRandom random(numbers);
        PlaceFlakes(flakes, first, values, background, screenWidth, random, 12345.5f);
        EXPECT_EQ(random.seeds, std::vector<float>{12345.5f});
        EXPECT_TRUE(random.UsedAll());
    };
    // X = floor(791 r1 + 4.5), Y = floor(591 r2 + 4.5): the flake width in
    // both, and the background's top plus height as the lower edge.
    place({0.5f, 0.75f, 0.0f, 0.0f}, 2, {0, 100, 800, 500});
    EXPECT_EQ(flakes, (std::vector<Flake>{{1, 2, 3}, {1, 2, 3}, {400, 447, 0}, {4, 4, 0}}));
    place({0.0f, 0.9f}, 3, {0, 0, 800, 0});  // floor(-3.6)
    EXPECT_EQ(flakes[3], (Flake{4, -4, 0}));
    place({0.5f, 0.5f}, 3, {0, 0, 800, -100000}, 100000);  // through 16 bits
    EXPECT_EQ(flakes[3], (Flake{32767, -32768, 0}));
    values.Transparency = 255;  // only full opacity starts visible
    place({0.1f, 0.1f}, 3, {0, 100, 800, 500});
    EXPECT_EQ(flakes[3].Alpha, 255);
}

}  // namespace
}  // namespace brumo
