#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "FakeRandom.h"
#include "animation/SnowFlakes.h"

namespace brumo {

// Internal linkage: other test files may print flakes their own way.
[[maybe_unused]] static void PrintTo(const Flake& flake, std::ostream* os) {
    *os << "{X " << flake.X << ", Y " << flake.Y << ", Alpha " << flake.Alpha << "}";
}

namespace {

enum class Layer { Falling, Settled };

struct PaintCall {
    Layer layer = Layer::Falling;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t alpha = 0;
    bool operator==(const PaintCall&) const = default;
};

[[maybe_unused]] void PrintTo(const PaintCall& call, std::ostream* os) {
    *os << (call.layer == Layer::Falling ? "Falling(" : "Settled(") << call.x << ", " << call.y
        << ", " << call.alpha << ")";
}

PaintCall Falling(std::int32_t x, std::int32_t y, std::int32_t alpha) {
    return {Layer::Falling, x, y, alpha};
}
PaintCall Settled(std::int32_t x, std::int32_t y, std::int32_t alpha) {
    return {Layer::Settled, x, y, alpha};
}

class RecordingPainter final : public FlakePainter {
  public:
    void DrawFallingFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        calls.push_back(Falling(x, y, alpha));
    }
    void DrawSettledFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) override {
        calls.push_back(Settled(x, y, alpha));
    }
    std::vector<PaintCall> calls;
};

// Screen 100 x 50: UB1 = 130, UB2 = 50. Restarts put X at
// trunc(r * 150 - 10) and, away from the sky, Y at trunc(r * 50 - 12.5).
constexpr double kScreenWidth = 100.0;
constexpr double kScreenHeight = 50.0;
constexpr std::int32_t kUB1 = 130;
constexpr std::int32_t kUB2 = 50;
constexpr std::int32_t kFullAlpha = 192;
constexpr std::int32_t kSettledAlpha = 100;

// A flake whose cell (2 x 3) differs from its drawn size (5 x 7), so that a
// rule using the wrong one shows.
EngineValues MakeValues() {
    EngineValues values;
    values.SnowballType = kFlakeTypeBlock;
    values.FlakeCellWidth = 2;
    values.FlakeCellHeight = 3;
    values.FlakeWidth = 5;
    values.FlakeHeight = 7;
    values.Transparency = kFullAlpha;
    values.SecondaryAlpha = kSettledAlpha;
    values.Turbulence = 0;
    values.FallingDirection = 0;
    return values;
}

class StepFlakeTest : public ::testing::Test {
  protected:
    void SetUp() override { grid.Allocate(kScreenWidth, kScreenHeight); }

    // One step of a single flake with exactly the given random numbers.
    Flake Step(Flake start, std::initializer_list<float> draws) {
        flakes = {start};
        for (float value : draws) random.Push(value);
        const std::size_t before = random.Draws();
        StepFlake(flakes, 0, values, grid, random, painter);
        EXPECT_EQ(random.Draws() - before, draws.size()) << "random numbers drawn";
        return flakes[0];
    }

    // The X after one step from X = 50 with random number r.
    std::int32_t DriftedX(float r) {
        painter.calls.clear();
        return Step({50, 10, kFullAlpha}, {r}).X - 50;
    }

    EngineValues values = MakeValues();
    SnowGrid grid;
    FakeRandom random;
    RecordingPainter painter;
    std::vector<Flake> flakes;
};

// ------------------------------------------------------------------ drift

TEST_F(StepFlakeTest, ZeroTurbulenceDriftsExactlyTheDirection) {
    values.FallingDirection = 2;
    EXPECT_EQ(Step({50, 10, kFullAlpha}, {0.99f}), (Flake{52, 13, kFullAlpha}));
    EXPECT_EQ(Step({50, 10, kFullAlpha}, {0.0f}), (Flake{52, 13, kFullAlpha}));
    values.FallingDirection = -2;
    EXPECT_EQ(Step({50, 10, kFullAlpha}, {0.5f}), (Flake{48, 13, kFullAlpha}));
    values.FallingDirection = 0;
    EXPECT_EQ(Step({50, 10, kFullAlpha}, {0.7f}), (Flake{50, 13, kFullAlpha}));
}

TEST_F(StepFlakeTest, DriftSpreadsAroundTheDirection) {
    values.Turbulence = 3;
    values.FallingDirection = 1;  // dx = trunc(6r - 2)
    EXPECT_EQ(DriftedX(0.0f), -2);
    EXPECT_EQ(DriftedX(0.1f), -1);  // -1.4
    EXPECT_EQ(DriftedX(0.25f), 0);  // -0.5
    EXPECT_EQ(DriftedX(0.5f), 1);
    EXPECT_EQ(DriftedX(0.75f), 2);  // 2.5
    EXPECT_EQ(DriftedX(0.9f), 3);   // 3.4
}

TEST_F(StepFlakeTest, DriftTruncatesTheOpenIntervalAroundZeroToZero) {
    values.Turbulence = 1;  // dx = trunc(2r - 1)
    EXPECT_EQ(DriftedX(0.0f), -1);
    EXPECT_EQ(DriftedX(0.01f), 0);
    EXPECT_EQ(DriftedX(0.4f), 0);
    EXPECT_EQ(DriftedX(0.6f), 0);
    EXPECT_EQ(DriftedX(0.99f), 0);
}

TEST_F(StepFlakeTest, DriftIsWorkedOutInSinglePrecision) {
    values.Turbulence = 1;
    values.FallingDirection = 1;
    // 2r + 1 rounds up to 2 in single precision (dx 1); in double it stays
    // just below (dx 0).
    EXPECT_EQ(DriftedX(0x1.fffffep-2f), 1);
}

TEST_F(StepFlakeTest, FallsByTheCellHeightAndIsDrawnWhereItIs) {
    EXPECT_EQ(Step({20, -7, kFullAlpha}, {0.5f}), (Flake{20, -4, kFullAlpha}));
    EXPECT_EQ(painter.calls, (std::vector<PaintCall>{Falling(20, -4, kFullAlpha)}));
}

// ---------------------------------------------------------------- fade in

TEST_F(StepFlakeTest, FadesInByTenAndReachesFullOpacityOnTheTwentiethStep) {
    values.FlakeCellHeight = 2;
    flakes = {{50, 0, 0}};
    for (int step = 0; step < 21; ++step) {
        random.Push(0.5f);
        StepFlake(flakes, 0, values, grid, random, painter);
    }
    ASSERT_EQ(painter.calls.size(), 21u);
    for (int step = 0; step < 19; ++step) EXPECT_EQ(painter.calls[step].alpha, 10 * (step + 1));
    EXPECT_EQ(painter.calls[19].alpha, 192);
    EXPECT_EQ(painter.calls[20].alpha, 192);
    EXPECT_EQ(flakes[0], (Flake{50, 42, 192}));
}

TEST_F(StepFlakeTest, FadeInStopsAtTheFullOpacity) {
    values.Transparency = 25;
    EXPECT_EQ(Step({50, 10, 20}, {0.5f}).Alpha, 25);
    EXPECT_EQ(Step({50, 10, 25}, {0.5f}).Alpha, 25);
    EXPECT_EQ(Step({50, 10, 40}, {0.5f}).Alpha, 40);  // above it: left alone
}

// ------------------------------------------------------ bottom and sides

TEST_F(StepFlakeTest, ReachingTheLastRowIsHeldOneRowAboveIt) {
    values.FlakeCellHeight = 6;
    // Y + 6 = 50 = UB2: held at 49. Still fading, so it then restarts.
    Step({50, 44, 0}, {0.5f, 0.5f});
    EXPECT_EQ(painter.calls, (std::vector<PaintCall>{Falling(50, kUB2 - 1, 10)}));
    painter.calls.clear();
    Step({50, 47, 0}, {0.5f, 0.5f});
    EXPECT_EQ(painter.calls, (std::vector<PaintCall>{Falling(50, kUB2 - 1, 10)}));
    painter.calls.clear();
    Step({50, 40, 0}, {0.5f});  // 46: unchanged, no restart
    EXPECT_EQ(painter.calls, (std::vector<PaintCall>{Falling(50, 46, 10)}));
}

TEST_F(StepFlakeTest, WrapsAtTheRightEdgeOnceBeyondUB1PlusFlakeWidth) {
    values.FallingDirection = 1;
    EXPECT_EQ(Step({kUB1 + 4, 10, kFullAlpha}, {0.5f}).X, kUB1 + 5);
    EXPECT_EQ(Step({kUB1 + 5, 10, kFullAlpha}, {0.5f}).X, -5);
    EXPECT_EQ(painter.calls.back(), Falling(-5, 13, kFullAlpha));
}

TEST_F(StepFlakeTest, WrapsAtTheLeftEdgeOnceBelowTwiceTheFlakeWidth) {
    values.FallingDirection = -1;
    EXPECT_EQ(Step({-9, 10, kFullAlpha}, {0.5f}).X, -10);
    EXPECT_EQ(Step({-10, 10, kFullAlpha}, {0.5f}).X, kUB1);
    EXPECT_EQ(painter.calls.back(), Falling(kUB1, 13, kFullAlpha));
}

// --------------------------------------------------------------- settling

class SettlingTest : public StepFlakeTest {
  protected:
    // Ground from row 30. A flake stepped from (10, 26) reaches Y = 29 and
    // finds row 30 under columns 9..12: offset -2, resting row 27.
    void SetUp() override {
        StepFlakeTest::SetUp();
        grid.MarkGround(30);
    }
    std::int32_t OccupiedAboveGround() const {
        std::int32_t count = 0;
        for (std::int32_t y = -SnowGrid::kMargin; y < 30; ++y)
            for (std::int32_t x = -SnowGrid::kMargin; x <= kUB1; ++x) count += grid.At(x, y);
        return count;
    }
};

TEST_F(SettlingTest, SettlesMarksDrawsTwiceAndRestartsHigh) {
    const Flake after = Step({10, 26, kFullAlpha}, {0.5f, 0.5f, 0.5f});
    EXPECT_EQ(painter.calls,
              (std::vector<PaintCall>{Falling(10, 29, kFullAlpha), Settled(10, 27, kSettledAlpha),
                                      Falling(10, 27, kSettledAlpha)}));
    for (std::int32_t y = 27; y <= 29; ++y) {
        EXPECT_EQ(grid.At(10, y), 1) << y;
        EXPECT_EQ(grid.At(11, y), 1) << y;
    }
    EXPECT_EQ(OccupiedAboveGround(), 6);
    // X = trunc(0.5 * 150 - 10), Y = trunc(0.5 * 50 - 12.5): on the screen,
    // so it fades in again.
    EXPECT_EQ(after, (Flake{65, 12, 0}));
}

TEST_F(SettlingTest, RestartTruncatesTowardZero) {
    // X: 1.5 - 10 = -8.5; Y: 10 - 12.5 = -2.5.
    EXPECT_EQ(Step({10, 26, kFullAlpha}, {0.5f, 0.01f, 0.2f}), (Flake{-8, -2, 0}));
}

TEST_F(SettlingTest, RestartAboveTheFlakeHeightStartsThereOpaque) {
    // Y: 5 - 12.5 = -7.5 -> -7, not above -7: fades in from there.
    EXPECT_EQ(Step({10, 26, kFullAlpha}, {0.5f, 0.5f, 0.1f}), (Flake{65, -7, 0}));
    // Y: 4 - 12.5 = -8.5 -> -8, above -7: held at -7, opaque.
    EXPECT_EQ(Step({10, 26, kFullAlpha}, {0.5f, 0.5f, 0.08f}), (Flake{65, -7, kFullAlpha}));
}

TEST_F(SettlingTest, RestartFromTheSkyDrawsOnlyX) {
    values.SnowAlwaysFromSky = true;
    // X: 148.5 - 10 = 138.5.
    EXPECT_EQ(Step({10, 26, kFullAlpha}, {0.5f, 0.99f}), (Flake{138, -7, kFullAlpha}));
    EXPECT_EQ(painter.calls.size(), 3u);
}

TEST_F(SettlingTest, FadingFlakeFallsThroughSupport) {
    EXPECT_EQ(Step({10, 26, 100}, {0.5f}), (Flake{10, 29, 110}));
    EXPECT_EQ(Step({10, 26, 200}, {0.5f}), (Flake{10, 29, 200}));
    EXPECT_EQ(painter.calls, (std::vector<PaintCall>{Falling(10, 29, 110), Falling(10, 29, 200)}));
    EXPECT_EQ(OccupiedAboveGround(), 0);
}

TEST_F(SettlingTest, ZeroTransparencySettlesFromTheFirstFrame) {
    values.Transparency = 0;
    values.SecondaryAlpha = 0;
    EXPECT_EQ(Step({10, 26, 0}, {0.5f, 0.5f, 0.5f}), (Flake{65, 12, 0}));
    EXPECT_EQ(painter.calls,
              (std::vector<PaintCall>{Falling(10, 29, 0), Settled(10, 27, 0), Falling(10, 27, 0)}));
    EXPECT_EQ(OccupiedAboveGround(), 6);
}

TEST_F(StepFlakeTest, OpaqueFlakeInTheLastRowsRestsWhereItIs) {
    // 45 + 3 = 48: the cell (rows 48..50) touches the last two rows.
    EXPECT_EQ(Step({10, 45, kFullAlpha}, {0.5f, 0.5f, 0.5f}), (Flake{65, 12, 0}));
    EXPECT_EQ(painter.calls,
              (std::vector<PaintCall>{Falling(10, 48, kFullAlpha), Settled(10, 48, kSettledAlpha),
                                      Falling(10, 48, kSettledAlpha)}));
    EXPECT_EQ(grid.At(10, 48), 1);
    EXPECT_EQ(grid.At(11, kUB2), 1);
}

TEST_F(StepFlakeTest, RestingBlockBelowTheLastRowIsDrawnButNotMarked) {
    // 47 + 3 = 50, held at 49: rows 49..51 reach past UB2.
    Step({10, 47, kFullAlpha}, {0.5f, 0.5f, 0.5f});
    EXPECT_EQ(painter.calls,
              (std::vector<PaintCall>{Falling(10, 49, kFullAlpha), Settled(10, 49, kSettledAlpha),
                                      Falling(10, 49, kSettledAlpha)}));
    EXPECT_EQ(grid.At(10, 49), 0);
    EXPECT_EQ(grid.At(10, kUB2), 0);
}

// -------------------------------------------------------- bottom restart

TEST_F(StepFlakeTest, FadingFlakeReachingTheLastRowsRestartsAtTheTop) {
    // 46 + 3 = 49 = UB2 - 1. Y = trunc(-50 / 4) = -12, above -7: held at -7.
    EXPECT_EQ(Step({10, 46, 100}, {0.5f, 0.5f}), (Flake{65, -7, kFullAlpha}));
    EXPECT_EQ(painter.calls, (std::vector<PaintCall>{Falling(10, 49, 110)}));
    EXPECT_EQ(grid.At(10, 49), 0);
    // One row higher it goes on falling.
    EXPECT_EQ(Step({10, 45, 100}, {0.5f}), (Flake{10, 48, 110}));
}

TEST_F(StepFlakeTest, BottomRestartOnAShortGridFadesInNearTheTop) {
    grid.Allocate(kScreenWidth, 6.0);  // UB2 = 6: Y = trunc(-1.5) = -1
    EXPECT_EQ(Step({10, 2, 100}, {0.5f, 0.25f}), (Flake{27, -1, 0}));
}

TEST_F(StepFlakeTest, BottomRestartFromTheSky) {
    grid.Allocate(kScreenWidth, 6.0);
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

TEST_F(StepFlakeTest, IndexOutsideTheFlakesDoesNothing) {
    flakes = {{1, 2, 3}};
    StepFlake(flakes, 1, values, grid, random, painter);
    StepFlake(flakes, -1, values, grid, random, painter);
    EXPECT_EQ(flakes[0], (Flake{1, 2, 3}));
    EXPECT_EQ(random.Draws(), 0u);
    EXPECT_TRUE(painter.calls.empty());
}

// ------------------------------------------------------------- placement

TEST(DimensionFlakes, CountGivesTheLastIndex) {
    EXPECT_EQ(DimensionFlakes(10).size(), 11u);
    EXPECT_EQ(DimensionFlakes(300).size(), 301u);
    EXPECT_EQ(DimensionFlakes(0).size(), 401u);
    EXPECT_EQ(DimensionFlakes(-5).size(), 401u);
    for (const Flake& flake : DimensionFlakes(3)) EXPECT_EQ(flake, Flake{});
}

class PlaceFlakesTest : public ::testing::Test {
  protected:
    PlaceFlakesTest() {
        values.FlakeWidth = 9;
        values.FlakeHeight = 21;
        values.Transparency = kFullAlpha;
    }
    void Place(std::int16_t first, std::int32_t screenWidth = 800) {
        PlaceFlakes(flakes, first, values, background, screenWidth, random, kSeed);
    }

    static constexpr float kSeed = 12345.5f;
    EngineValues values;
    Rect background{0, 100, 800, 500};  // ground row 600
    FakeRandom random;
    std::vector<Flake> flakes = DimensionFlakes(1);
};

TEST_F(PlaceFlakesTest, PositionsFromTheRandomNumbers) {
    random = FakeRandom{0.5f, 0.75f, 0.0f, 0.0f};
    Place(0);
    // X = floor(791 r1 + 4.5), Y = floor(591 r2 + 4.5): the flake width in
    // both, and the background's top plus height as the lower edge.
    EXPECT_EQ(flakes[0], (Flake{400, 447, 0}));
    EXPECT_EQ(flakes[1], (Flake{4, 4, 0}));
    EXPECT_EQ(random.Seeds(), std::vector<float>{kSeed});
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST_F(PlaceFlakesTest, PositionsAreFlooredAndPassThroughSixteenBits) {
    background = {0, 0, 800, 0};  // Y = floor(-9 r2 + 4.5)
    random = FakeRandom{0.0f, 0.9f};
    Place(1);
    EXPECT_EQ(flakes[1].Y, -4);  // -3.6

    background = {0, 0, 800, -100000};
    random = FakeRandom{0.5f, 0.5f};
    Place(1, 100000);
    EXPECT_EQ(flakes[1].X, 32767);   // 50000
    EXPECT_EQ(flakes[1].Y, -32768);  // -50000
}

TEST_F(PlaceFlakesTest, OnlyFullOpacityStartsVisible) {
    values.Transparency = 255;
    random = FakeRandom{0.1f, 0.1f, 0.2f, 0.2f};
    Place(0);
    EXPECT_EQ(flakes[0].Alpha, 255);
    EXPECT_EQ(flakes[1].Alpha, 255);
    values.Transparency = 254;
    random = FakeRandom{0.1f, 0.1f, 0.2f, 0.2f};
    Place(0);
    EXPECT_EQ(flakes[0].Alpha, 0);
    EXPECT_EQ(flakes[1].Alpha, 0);
}

TEST_F(PlaceFlakesTest, StartsAtTheFirstIndexAndSeedsOnce) {
    flakes = DimensionFlakes(3);
    flakes[0] = flakes[1] = {1, 2, 3};
    random = FakeRandom{0.5f, 0.75f, 0.0f, 0.0f};
    Place(2);
    EXPECT_EQ(flakes[0], (Flake{1, 2, 3}));
    EXPECT_EQ(flakes[1], (Flake{1, 2, 3}));
    EXPECT_EQ(flakes[2], (Flake{400, 447, 0}));
    EXPECT_EQ(flakes[3], (Flake{4, 4, 0}));
    EXPECT_EQ(random.Seeds().size(), 1u);

    random = FakeRandom{};
    Place(4);  // past the last flake: seeded, nothing drawn
    EXPECT_EQ(random.Seeds().size(), 1u);
    EXPECT_EQ(random.Draws(), 0u);
}

}  // namespace
}  // namespace brumo
