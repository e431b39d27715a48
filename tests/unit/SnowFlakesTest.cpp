#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "FakeRandom.h"
#include "animation/SnowFlakes.h"

namespace brumo {

// Internal linkage: other test files may print flakes their own way.
[[maybe_unused]] static void PrintTo(const Flake& flake, std::ostream* os) {
    *os << "{X " << flake.X << ", Y " << flake.Y << ", Alpha " << flake.Alpha << "}";
}

namespace {

using Calls = std::vector<std::string>;

// Records each draw as "falling x,y,alpha" or "settled x,y,alpha".
class RecordingPainter final : public FlakePainter {
  public:
    void DrawFallingFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        calls.push_back("falling " + Text(x, y, alpha));
    }
    void DrawSettledFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        calls.push_back("settled " + Text(x, y, alpha));
    }
    static std::string Text(std::int32_t x, std::int32_t y, std::int32_t alpha) {
        return std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(alpha);
    }
    Calls calls;
};

// Screen 100 x 50: UB1 = 130, UB2 = 50. Restarts put X at
// trunc(r * 150 - 10) and, away from the sky, Y at trunc(r * 50 - 12.5).
constexpr double kScreenWidth = 100.0;
constexpr double kScreenHeight = 50.0;
constexpr std::int32_t kUB1 = 130;
constexpr std::int32_t kUB2 = 50;
constexpr std::int32_t kFullAlpha = 192;
constexpr std::int32_t kSettledAlpha = 100;

class StepFlakeTest : public ::testing::Test {
  protected:
    // A flake whose cell (2 x 3) differs from its drawn size (5 x 7), so that
    // a rule using the wrong one shows.
    StepFlakeTest() {
        values.SnowballType = kFlakeTypeBlock;
        values.FlakeCellWidth = 2;
        values.FlakeCellHeight = 3;
        values.FlakeWidth = 5;
        values.FlakeHeight = 7;
        values.Transparency = kFullAlpha;
        values.SecondaryAlpha = kSettledAlpha;
        grid.Allocate(kScreenWidth, kScreenHeight);
    }

    // One step of a single flake with exactly the given random numbers.
    Flake Step(Flake start, std::initializer_list<float> draws) {
        flakes = {start};
        for (float value : draws) random.Push(value);
        const std::size_t before = random.Draws();
        StepFlake(flakes, 0, values, grid, random, painter);
        EXPECT_EQ(random.Draws() - before, draws.size()) << "random numbers drawn";
        return flakes[0];
    }

    EngineValues values;
    SnowGrid grid;
    FakeRandom random;
    RecordingPainter painter;
    std::vector<Flake> flakes;
};

// ------------------------------------------------------------ falling

TEST_F(StepFlakeTest, FallsByTheCellHeightAndIsDrawnWhereItIs) {
    EXPECT_EQ(Step({20, -7, kFullAlpha}, {0.5f}), (Flake{20, -4, kFullAlpha}));
    EXPECT_EQ(painter.calls, (Calls{"falling 20,-4,192"}));
}

// Turbulence 3, direction 1: dx = trunc(6r - 2). Turbulence 1: dx = trunc(2r - 1),
// zero over the open interval around zero. In single precision 2r + 1 for the
// last case rounds up to 2; in double it would stay below.
TEST_F(StepFlakeTest, DriftSpreadsAroundTheDirectionTruncatedTowardZero) {
    const struct {
        std::int32_t turbulence, direction;
        float r;
        std::int32_t dx;
    } cases[] = {{0, 2, 0.99f, 2}, {0, 2, 0.0f, 2},  {0, -2, 0.5f, -2},        {0, 0, 0.7f, 0},
                 {3, 1, 0.0f, -2}, {3, 1, 0.1f, -1}, {3, 1, 0.25f, 0},         {3, 1, 0.5f, 1},
                 {3, 1, 0.75f, 2}, {3, 1, 0.9f, 3},  {1, 0, 0.0f, -1},         {1, 0, 0.01f, 0},
                 {1, 0, 0.4f, 0},  {1, 0, 0.99f, 0}, {1, 1, 0x1.fffffep-2f, 1}};
    for (const auto& c : cases) {
        values.Turbulence = c.turbulence;
        values.FallingDirection = c.direction;
        EXPECT_EQ(Step({50, 10, kFullAlpha}, {c.r}).X - 50, c.dx) << c.turbulence << " " << c.r;
    }
}

TEST_F(StepFlakeTest, FadesInByTenAndReachesFullOpacityOnTheTwentiethStep) {
    values.FlakeCellHeight = 2;
    flakes = {{50, 0, 0}};
    for (int step = 0; step < 21; ++step) {
        random.Push(0.5f);
        StepFlake(flakes, 0, values, grid, random, painter);
        const std::int32_t alpha = step < 19 ? 10 * (step + 1) : 192;
        EXPECT_EQ(painter.calls.back(),
                  "falling " + RecordingPainter::Text(50, 2 * step + 2, alpha));
    }
    // Below the full opacity it stops there; above it, it is left alone.
    values.Transparency = 25;
    EXPECT_EQ(Step({50, 10, 20}, {0.5f}).Alpha, 25);
    EXPECT_EQ(Step({50, 10, 40}, {0.5f}).Alpha, 40);
}

TEST_F(StepFlakeTest, ReachingTheLastRowIsHeldOneRowAboveIt) {
    values.FlakeCellHeight = 6;
    // Y + 6 >= 50 = UB2: held at 49. Still fading, so it then restarts.
    Step({50, 44, 0}, {0.5f, 0.5f});
    Step({50, 47, 0}, {0.5f, 0.5f});
    Step({50, 40, 0}, {0.5f});  // 46: unchanged, no restart
    EXPECT_EQ(painter.calls, (Calls{"falling 50,49,10", "falling 50,49,10", "falling 50,46,10"}));
}

TEST_F(StepFlakeTest, WrapsBeyondUB1PlusFlakeWidthAndBelowTwiceTheFlakeWidth) {
    values.FallingDirection = 1;
    EXPECT_EQ(Step({kUB1 + 4, 10, kFullAlpha}, {0.5f}).X, kUB1 + 5);
    EXPECT_EQ(Step({kUB1 + 5, 10, kFullAlpha}, {0.5f}).X, -5);
    values.FallingDirection = -1;
    EXPECT_EQ(Step({-9, 10, kFullAlpha}, {0.5f}).X, -10);
    EXPECT_EQ(Step({-10, 10, kFullAlpha}, {0.5f}).X, kUB1);
    EXPECT_EQ(painter.calls, (Calls{"falling 135,13,192", "falling -5,13,192", "falling -10,13,192",
                                    "falling 130,13,192"}));
}

TEST_F(StepFlakeTest, IndexOutsideTheFlakesDoesNothing) {
    flakes = {{1, 2, 3}};
    StepFlake(flakes, 1, values, grid, random, painter);
    StepFlake(flakes, -1, values, grid, random, painter);
    EXPECT_EQ(flakes[0], (Flake{1, 2, 3}));
    EXPECT_EQ(random.Draws(), 0u);
    EXPECT_TRUE(painter.calls.empty());
}

// --------------------------------------------------------------- settling

// Ground from row 30. A flake stepped from (10, 26) reaches Y = 29 and finds
// row 30 under columns 9..12: offset -2, resting row 27.
class SettlingTest : public StepFlakeTest {
  protected:
    SettlingTest() { grid.MarkGround(30); }
    std::int32_t OccupiedAboveGround() const {
        std::int32_t count = 0;
        for (std::int32_t y = -SnowGrid::kMargin; y < 30; ++y)
            for (std::int32_t x = -SnowGrid::kMargin; x <= kUB1; ++x) count += grid.At(x, y);
        return count;
    }
};

TEST_F(SettlingTest, SettlesMarksDrawsTwiceAndRestartsHigh) {
    // X = trunc(0.5 * 150 - 10), Y = trunc(0.5 * 50 - 12.5): on the screen,
    // so it fades in again.
    EXPECT_EQ(Step({10, 26, kFullAlpha}, {0.5f, 0.5f, 0.5f}), (Flake{65, 12, 0}));
    EXPECT_EQ(painter.calls,
              (Calls{"falling 10,29,192", "settled 10,27,100", "falling 10,27,100"}));
    for (std::int32_t y = 27; y <= 29; ++y) EXPECT_EQ(grid.At(10, y) + grid.At(11, y), 2) << y;
    EXPECT_EQ(OccupiedAboveGround(), 6);
}

// X -8.5 and Y -2.5 truncate toward zero; Y -7.5 -> -7 fades in from there;
// Y -8.5 -> -8 lies above -7 and is held there, opaque; from the sky only X
// is drawn (148.5 - 10).
TEST_F(SettlingTest, RestartPositions) {
    const struct {
        bool fromSky;
        std::initializer_list<float> draws;
        Flake expected;
    } cases[] = {{false, {0.5f, 0.01f, 0.2f}, {-8, -2, 0}},
                 {false, {0.5f, 0.5f, 0.1f}, {65, -7, 0}},
                 {false, {0.5f, 0.5f, 0.08f}, {65, -7, kFullAlpha}},
                 {true, {0.5f, 0.99f}, {138, -7, kFullAlpha}}};
    for (const auto& c : cases) {
        values.SnowAlwaysFromSky = c.fromSky;
        painter.calls.clear();
        EXPECT_EQ(Step({10, 26, kFullAlpha}, c.draws), c.expected);
        EXPECT_EQ(painter.calls.size(), 3u);
    }
}

TEST_F(SettlingTest, FadingFlakeFallsThroughSupport) {
    EXPECT_EQ(Step({10, 26, 100}, {0.5f}), (Flake{10, 29, 110}));
    EXPECT_EQ(Step({10, 26, 200}, {0.5f}), (Flake{10, 29, 200}));
    EXPECT_EQ(painter.calls, (Calls{"falling 10,29,110", "falling 10,29,200"}));
    EXPECT_EQ(OccupiedAboveGround(), 0);
}

TEST_F(SettlingTest, ZeroTransparencySettlesFromTheFirstFrame) {
    values.Transparency = 0;
    values.SecondaryAlpha = 0;
    EXPECT_EQ(Step({10, 26, 0}, {0.5f, 0.5f, 0.5f}), (Flake{65, 12, 0}));
    EXPECT_EQ(painter.calls, (Calls{"falling 10,29,0", "settled 10,27,0", "falling 10,27,0"}));
    EXPECT_EQ(OccupiedAboveGround(), 6);
}

TEST_F(StepFlakeTest, OpaqueFlakeInTheLastRowsRestsWhereItIs) {
    // 45 + 3 = 48: the cell (rows 48..50) touches the last two rows.
    EXPECT_EQ(Step({10, 45, kFullAlpha}, {0.5f, 0.5f, 0.5f}), (Flake{65, 12, 0}));
    EXPECT_EQ(grid.At(10, 48) + grid.At(11, kUB2), 2);
    // 47 + 3 = 50, held at 49: rows 49..51 reach past UB2, drawn but not marked.
    grid.Allocate(kScreenWidth, kScreenHeight);
    Step({10, 47, kFullAlpha}, {0.5f, 0.5f, 0.5f});
    EXPECT_EQ(grid.At(10, 49) + grid.At(10, kUB2), 0);
    EXPECT_EQ(painter.calls,
              (Calls{"falling 10,48,192", "settled 10,48,100", "falling 10,48,100",
                     "falling 10,49,192", "settled 10,49,100", "falling 10,49,100"}));
}

// -------------------------------------------------------- bottom restart

TEST_F(StepFlakeTest, FadingFlakeReachingTheLastRowsRestartsAtTheTop) {
    // 46 + 3 = 49 = UB2 - 1. Y = trunc(-50 / 4) = -12, above -7: held at -7.
    EXPECT_EQ(Step({10, 46, 100}, {0.5f, 0.5f}), (Flake{65, -7, kFullAlpha}));
    EXPECT_EQ(painter.calls, (Calls{"falling 10,49,110"}));
    EXPECT_EQ(grid.At(10, 49), 0);
    // One row higher it goes on falling.
    EXPECT_EQ(Step({10, 45, 100}, {0.5f}), (Flake{10, 48, 110}));
    // On a short grid (UB2 = 6) Y = trunc(-1.5) = -1 fades in; from the sky it
    // starts at -7, opaque.
    grid.Allocate(kScreenWidth, 6.0);
    EXPECT_EQ(Step({10, 2, 100}, {0.5f, 0.25f}), (Flake{27, -1, 0}));
    values.SnowAlwaysFromSky = true;
    EXPECT_EQ(Step({10, 2, 100}, {0.5f, 0.25f}), (Flake{27, -7, kFullAlpha}));
}

TEST_F(StepFlakeTest, FlakeRestartedLowAfterSettlingRestartsAgainAtTheTop) {
    grid.Allocate(kScreenWidth, 2.0);  // UB2 = 2, last rows 1 and 2
    values.FlakeCellWidth = values.FlakeCellHeight = 1;
    values.FlakeWidth = values.FlakeHeight = 1;
    // Settles at row 1; the high restart lands on row trunc(1.8 - 0.5) = 1,
    // in the last rows, so the bottom restart follows: Y = trunc(-0.5) = 0.
    EXPECT_EQ(Step({10, 0, kFullAlpha}, {0.5f, 0.5f, 0.9f, 0.25f}), (Flake{27, 0, 0}));
    EXPECT_EQ(grid.At(10, 1), 1);
}

// ------------------------------------------------------------- placement

TEST(DimensionFlakes, CountGivesTheLastIndex) {
    EXPECT_EQ(DimensionFlakes(10).size(), 11u);
    EXPECT_EQ(DimensionFlakes(0).size(), 401u);
    EXPECT_EQ(DimensionFlakes(-5).size(), 401u);
    for (const Flake& flake : DimensionFlakes(3)) EXPECT_EQ(flake, Flake{});
}

TEST(PlaceFlakes, PositionsFromTheRandomNumbersFromTheFirstIndexOn) {
    constexpr float kSeed = 12345.5f;
    EngineValues values;
    values.FlakeWidth = 9;
    values.FlakeHeight = 21;
    values.Transparency = kFullAlpha;
    std::vector<Flake> flakes = DimensionFlakes(3);
    flakes[0] = flakes[1] = {1, 2, 3};
    const auto place = [&](FakeRandom random, std::int16_t first, Rect background,
                           std::int32_t screenWidth = 800) {
        PlaceFlakes(flakes, first, values, background, screenWidth, random, kSeed);
        EXPECT_EQ(random.Seeds(), std::vector<float>{kSeed});
        EXPECT_EQ(random.Remaining(), 0u);
    };
    // X = floor(791 r1 + 4.5), Y = floor(591 r2 + 4.5): the flake width in
    // both, and the background's top plus height as the lower edge.
    place({0.5f, 0.75f, 0.0f, 0.0f}, 2, {0, 100, 800, 500});
    EXPECT_EQ(flakes, (std::vector<Flake>{{1, 2, 3}, {1, 2, 3}, {400, 447, 0}, {4, 4, 0}}));
    place({}, 4, {0, 100, 800, 500});  // past the last flake: seeded, nothing drawn

    place({0.0f, 0.9f}, 3, {0, 0, 800, 0});  // Y = floor(-9 r2 + 4.5) = floor(-3.6)
    EXPECT_EQ(flakes[3], (Flake{4, -4, 0}));
    place({0.5f, 0.5f}, 3, {0, 0, 800, -100000}, 100000);  // 50000 both: through 16 bits
    EXPECT_EQ(flakes[3], (Flake{32767, -32768, 0}));

    // Only full opacity starts visible.
    values.Transparency = 255;
    place({0.1f, 0.1f, 0.2f, 0.2f}, 2, {0, 100, 800, 500});
    EXPECT_EQ(flakes[2].Alpha + flakes[3].Alpha, 2 * 255);
    values.Transparency = 254;
    place({0.1f, 0.1f, 0.2f, 0.2f}, 2, {0, 100, 800, 500});
    EXPECT_EQ(flakes[2].Alpha + flakes[3].Alpha, 0);
}

}  // namespace
}  // namespace brumo
