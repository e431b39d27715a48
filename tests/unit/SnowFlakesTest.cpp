// One frame of a flake (drift, fall, fade, wrap, settling, restarts) against a
// scripted random source, and the flakes' placement.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "animation/SnowFlakes.h"

namespace brumo {

[[maybe_unused]] static void PrintTo(const Flake& flake, std::ostream* os) {
    *os << "{" << flake.X << ", " << flake.Y << ", " << flake.Alpha << "}";
}

namespace {

// Hands out the queued numbers in order; records seedings and draws.
class ScriptedRandom final : public RandomSource {
  public:
    std::deque<float> queue;
    std::vector<float> seeds;
    std::size_t draws = 0;
    void Seed(float timer) override { seeds.push_back(timer); }
    float Next() override {
        ++draws;
        if (queue.empty()) ADD_FAILURE() << "draw " << draws << " has no queued number";
        const float value = queue.empty() ? 0.0f : queue.front();
        if (!queue.empty()) queue.pop_front();
        return value;
    }
};

using Calls = std::vector<std::string>;

class RecordingPainter final : public FlakePainter {
  public:
    Calls calls;
    void DrawFallingFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        calls.push_back("falling " + Text(x, y, alpha));
    }
    void DrawSettledFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        calls.push_back("settled " + Text(x, y, alpha));
    }
    static std::string Text(std::int32_t x, std::int32_t y, std::int32_t alpha) {
        return std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(alpha);
    }
};

// Screen 100 x 50: UB1 = 130, UB2 = 50. Restarts put X at trunc(150 r - 10)
// and, away from the sky, Y at trunc(50 r - 12.5).
constexpr std::int32_t kUB1 = 130;
constexpr std::int32_t kFull = 192;

class StepFlakeTest : public ::testing::Test {
  protected:
    // The cell (2 x 3) differs from the drawn size (5 x 7), so that a rule
    // using the wrong one shows.
    StepFlakeTest() {
        values.SnowballType = kFlakeTypeBlock;
        values.FlakeCellWidth = 2;
        values.FlakeCellHeight = 3;
        values.FlakeWidth = 5;
        values.FlakeHeight = 7;
        values.Transparency = kFull;
        values.SecondaryAlpha = 100;
        grid.Allocate(100.0, 50.0);
    }
    // One step of a single flake that must draw exactly the given numbers.
    Flake Step(Flake start, std::initializer_list<float> draws) {
        flakes = {start};
        random.queue.assign(draws);
        random.draws = 0;
        StepFlake(flakes, 0, values, grid, random, painter);
        EXPECT_EQ(random.draws, draws.size()) << "random numbers drawn";
        return flakes[0];
    }
    std::int32_t Occupied(std::int32_t belowRow) const {
        std::int32_t count = 0;
        for (std::int32_t y = -SnowGrid::kMargin; y < belowRow; ++y)
            for (std::int32_t x = -SnowGrid::kMargin; x <= kUB1; ++x) count += grid.At(x, y);
        return count;
    }
    EngineValues values;
    SnowGrid grid;
    ScriptedRandom random;
    RecordingPainter painter;
    std::vector<Flake> flakes;
};

// dx = trunc(2 r t + direction - t) in single precision: turbulence 3,
// direction 1 gives trunc(6r - 2); the last case's 2r + 1 rounds up to 2 in
// single precision and would stay below in double.
TEST_F(StepFlakeTest, DriftsAroundTheDirectionTruncatedTowardZeroAndFallsOneCell) {
    const struct {
        std::int32_t turbulence, direction;
        float r;
        std::int32_t dx;
    } cases[] = {{0, 2, 0.99f, 2}, {0, -2, 0.5f, -2},        {3, 1, 0.0f, -2}, {3, 1, 0.1f, -1},
                 {3, 1, 0.25f, 0}, {3, 1, 0.9f, 3},          {1, 0, 0.0f, -1}, {1, 0, 0.01f, 0},
                 {1, 0, 0.99f, 0}, {1, 1, 0x1.fffffep-2f, 1}};
    for (const auto& c : cases) {
        values.Turbulence = c.turbulence;
        values.FallingDirection = c.direction;
        painter.calls.clear();
        EXPECT_EQ(Step({50, 10, kFull}, {c.r}), (Flake{50 + c.dx, 13, kFull})) << c.r;
        EXPECT_EQ(painter.calls, Calls{"falling " + RecordingPainter::Text(50 + c.dx, 13, kFull)});
    }
}

TEST_F(StepFlakeTest, FadesInByTenUpToTheTransparencyAndIsHeldAboveTheLastRow) {
    values.FlakeCellHeight = 2;
    flakes = {{50, 0, 0}};
    for (int step = 0; step < 21; ++step) {
        random.queue.push_back(0.5f);
        StepFlake(flakes, 0, values, grid, random, painter);
        EXPECT_EQ(painter.calls.back(),
                  "falling " + RecordingPainter::Text(50, 2 * step + 2,
                                                      step < 19 ? 10 * (step + 1) : kFull));
    }
    values.Transparency = 25;
    EXPECT_EQ(Step({50, 10, 20}, {0.5f}).Alpha, 25);
    EXPECT_EQ(Step({50, 10, 40}, {0.5f}).Alpha, 40);
    // Y + 6 >= UB2: held at 49; still fading, so it then restarts at the top.
    values.FlakeCellHeight = 6;
    painter.calls.clear();
    Step({50, 44, 0}, {0.5f, 0.5f});
    Step({50, 40, 0}, {0.5f});
    EXPECT_EQ(painter.calls, (Calls{"falling 50,49,10", "falling 50,46,10"}));
}

TEST_F(StepFlakeTest, WrapsBeyondUB1PlusTheWidthAndBelowMinusTwiceTheWidth) {
    const struct {
        std::int32_t direction, x, wrapped;
    } cases[] = {{1, kUB1 + 4, kUB1 + 5}, {1, kUB1 + 5, -5}, {-1, -9, -10}, {-1, -10, kUB1}};
    for (const auto& c : cases) {
        values.FallingDirection = c.direction;
        EXPECT_EQ(Step({c.x, 10, kFull}, {0.5f}).X, c.wrapped) << c.x;
    }
    flakes = {{1, 2, 3}};
    StepFlake(flakes, 1, values, grid, random, painter);
    StepFlake(flakes, -1, values, grid, random, painter);
    EXPECT_EQ(flakes[0], (Flake{1, 2, 3}));
}

// Ground from row 30: a flake stepped from (10, 26) reaches 29, finds row 30
// under columns 9..12 and rests at 27, is drawn settled into the back buffer
// and once more onto the frame, and restarts high.
TEST_F(StepFlakeTest, OpaqueFlakeSettlesOnSupportAndRestartsHigh) {
    grid.MarkGround(30);
    EXPECT_EQ(Step({10, 26, kFull}, {0.5f, 0.5f, 0.5f}), (Flake{65, 12, 0}));
    EXPECT_EQ(painter.calls,
              (Calls{"falling 10,29,192", "settled 10,27,100", "falling 10,27,100"}));
    for (std::int32_t y = 27; y <= 29; ++y) EXPECT_EQ(grid.At(10, y) + grid.At(11, y), 2) << y;
    EXPECT_EQ(Occupied(30), 6);
    // X -8.5 and Y -2.5 truncate toward zero; Y -8 lies above -7 and is held
    // there, opaque; from the sky only X is drawn.
    const struct {
        bool fromSky;
        std::initializer_list<float> draws;
        Flake expected;
    } restarts[] = {{false, {0.5f, 0.01f, 0.2f}, {-8, -2, 0}},
                    {false, {0.5f, 0.5f, 0.1f}, {65, -7, 0}},
                    {false, {0.5f, 0.5f, 0.08f}, {65, -7, kFull}},
                    {true, {0.5f, 0.99f}, {138, -7, kFull}}};
    for (const auto& c : restarts) {
        values.SnowAlwaysFromSky = c.fromSky;
        EXPECT_EQ(Step({10, 26, kFull}, c.draws), c.expected);
    }
    // A flake still fading in falls through.
    grid.Allocate(100.0, 50.0);
    grid.MarkGround(30);
    EXPECT_EQ(Step({10, 26, 100}, {0.5f}), (Flake{10, 29, 110}));
    EXPECT_EQ(Occupied(30), 0);
}

TEST_F(StepFlakeTest, LastRowsHoldOpaqueFlakesAndRestartFadingOnesAtTheTop) {
    // 45 + 3 = 48 touches the last two rows: rests there.
    EXPECT_EQ(Step({10, 45, kFull}, {0.5f, 0.5f, 0.5f}), (Flake{65, 12, 0}));
    EXPECT_EQ(grid.At(10, 48) + grid.At(11, 50), 2);
    // 47 + 3 held at 49: rows 49..51 reach past UB2, drawn but not marked.
    grid.Allocate(100.0, 50.0);
    painter.calls.clear();
    Step({10, 47, kFull}, {0.5f, 0.5f, 0.5f});
    EXPECT_EQ(grid.At(10, 49), 0);
    EXPECT_EQ(painter.calls,
              (Calls{"falling 10,49,192", "settled 10,49,100", "falling 10,49,100"}));
    // Fading, reaching row 49: Y = trunc(-50 / 4) = -12 lies above -7, held there.
    EXPECT_EQ(Step({10, 46, 100}, {0.5f, 0.5f}), (Flake{65, -7, kFull}));
    EXPECT_EQ(Step({10, 45, 100}, {0.5f}), (Flake{10, 48, 110}));
    // On a short grid (UB2 = 6) Y = trunc(-1.5) = -1 fades in; from the sky, -7.
    grid.Allocate(100.0, 6.0);
    EXPECT_EQ(Step({10, 2, 100}, {0.5f, 0.25f}), (Flake{27, -1, 0}));
    values.SnowAlwaysFromSky = true;
    EXPECT_EQ(Step({10, 2, 100}, {0.5f, 0.25f}), (Flake{27, -7, kFull}));
}

TEST(PlaceFlakes, ArrayAndRandomPositionsFromTheFirstIndexOn) {
    EXPECT_EQ(DimensionFlakes(10).size(), 11u);
    EXPECT_EQ(DimensionFlakes(0).size(), 401u);
    EXPECT_EQ(DimensionFlakes(-5).size(), 401u);
    EngineValues values;
    values.FlakeWidth = 9;
    values.FlakeHeight = 21;
    values.Transparency = kFull;
    std::vector<Flake> flakes = DimensionFlakes(3);
    flakes[0] = flakes[1] = {1, 2, 3};
    const auto place = [&](std::deque<float> numbers, std::int16_t first, Rect background,
                           std::int32_t screenWidth = 800) {
        ScriptedRandom random;
        random.queue = numbers;
        PlaceFlakes(flakes, first, values, background, screenWidth, random, 12345.5f);
        EXPECT_EQ(random.seeds, std::vector<float>{12345.5f});
        EXPECT_TRUE(random.queue.empty());
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
