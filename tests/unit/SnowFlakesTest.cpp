// One frame of a flake against scripted random numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animation/SnowFlakes.h"

namespace brumo {
namespace {

class ScriptedRandom final : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<float> numbers) : numbers_(std::move(numbers)) {}
    std::size_t draws = 0;
    void Seed(float) override {}
    float Next() override { return draws < numbers_.size() ? numbers_[draws++] : (++draws, -1.0f); }

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

// Screen 100 x 50; the cell (2 x 3) differs from the drawn size (5 x 7), so
// that a rule using the wrong one shows.
TEST(StepFlake, OneFrameOfOneFlake) {
    constexpr std::int32_t kFull = 192;
    const struct {
        std::int32_t turbulence, direction, ground;  // ground: its first row; 99: none
        Flake before;
        std::vector<float> numbers;
        Flake after;
        const char* calls;
    } cases[] = {// Drift trunc(2 r t + direction - t) toward zero, fall by the cell height.
                 {0, 2, 99, {50, 10, kFull}, {0.99f}, {52, 13, kFull}, " f 52,13,192"},
                 {1, 0, 99, {50, 10, kFull}, {0.01f}, {50, 13, kFull}, " f 50,13,192"},
                 // Ground from row 30: from (10, 26) it reaches 29 and rests at 27, is drawn
                 // settled and once more onto the frame, and restarts high.
                 {0,
                  0,
                  30,
                  {10, 26, kFull},
                  {0.5f, 0.5f, 0.5f},
                  {65, 12, 0},
                  " f 10,29,192 s 10,27,100 f 10,27,100"}};
    for (const auto& c : cases) {
        EngineValues values;
        values.FallingDirection = static_cast<std::int16_t>(c.direction);
        values.FlakeCellWidth = 2;
        values.FlakeCellHeight = 3;
        values.FlakeWidth = 5;
        values.FlakeHeight = 7;
        values.Turbulence = static_cast<std::uint8_t>(c.turbulence);
        values.Transparency = kFull;
        values.SecondaryAlpha = 100;
        SnowGrid grid;
        grid.Allocate(100.0, 50.0);
        grid.MarkGround(c.ground);
        std::vector<Flake> flakes = {c.before};
        ScriptedRandom random(c.numbers);
        RecordingPainter painter;
        StepFlake(flakes, 0, values, grid, random, painter);
        EXPECT_EQ(random.draws, c.numbers.size());
        EXPECT_EQ(flakes[0], c.after) << c.calls;
        EXPECT_EQ(painter.calls, c.calls);
    }
}

}  // namespace
}  // namespace brumo
