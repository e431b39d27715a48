#include "animation/SnowFlakes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "common/Rounding.h"

namespace brumo {

namespace {

// Opacity gained per frame while a flake fades in.
constexpr std::int32_t kFadeStep = 10;
// Restarted flakes may come back this far beyond either side of the grid.
constexpr std::int32_t kRestartOverhang = 10;
// A flake restarted away from the sky may start this fraction of the grid's
// height above the top edge.
constexpr double kRestartAboveFraction = 4.0;

// A whole value (already truncated or floored) as a 32-bit position.
std::int32_t WholeToInt32(double value) {
    return NearestInt32(value);
}

std::int32_t RestartX(RandomSource& random, const SnowGrid& grid) {
    const double r = random.Next();
    const double span = static_cast<double>(grid.UB1()) + 2.0 * kRestartOverhang;
    return WholeToInt32(std::trunc(r * span - kRestartOverhang));
}

// Puts a restarted flake at row `y`, unless that lies above the highest row a
// flake may have: then it starts there at full opacity. A flake starting on
// the screen fades in.
void RestartAtRow(Flake& flake, std::int32_t y, const EngineValues& values) {
    if (y < -values.FlakeHeight) {
        flake.Y = -values.FlakeHeight;
        flake.Alpha = values.Transparency;
    } else {
        flake.Y = y;
        flake.Alpha = 0;
    }
}

void RestartFromSky(Flake& flake, const EngineValues& values) {
    flake.Y = -values.FlakeHeight;
    flake.Alpha = values.Transparency;
}

// After settling: anywhere in the upper three quarters of the screen or a
// little above it.
void RestartHigh(Flake& flake, const EngineValues& values, const SnowGrid& grid,
                 RandomSource& random) {
    flake.X = RestartX(random, grid);
    if (values.SnowAlwaysFromSky) {
        RestartFromSky(flake, values);
        return;
    }
    const double r = random.Next();
    const double ub2 = grid.UB2();
    RestartAtRow(flake, WholeToInt32(std::trunc(r * ub2 - ub2 / kRestartAboveFraction)), values);
}

// After reaching the last rows without settling: back to the top.
void RestartTop(Flake& flake, const EngineValues& values, const SnowGrid& grid,
                RandomSource& random) {
    flake.X = RestartX(random, grid);
    if (values.SnowAlwaysFromSky) {
        RestartFromSky(flake, values);
        return;
    }
    const double ub2 = grid.UB2();
    RestartAtRow(flake, WholeToInt32(std::trunc(-ub2 / kRestartAboveFraction)), values);
}

}  // namespace

std::vector<Flake> DimensionFlakes(std::int32_t countSnowballs) {
    const std::int32_t last = countSnowballs > 0 ? countSnowballs : kDefaultLastFlakeIndex;
    return std::vector<Flake>(static_cast<std::size_t>(last) + 1);
}

void PlaceFlakes(std::vector<Flake>& flakes, std::int16_t first, const EngineValues& values,
                 const Rect& background, std::int32_t screenWidth, RandomSource& random,
                 float seedTimer) {
    random.Seed(seedTimer);
    const double halfWidth = values.FlakeWidth / 2.0;
    const double spanX = static_cast<double>(screenWidth) - values.FlakeWidth;
    const double spanY =
        static_cast<double>(background.height) + background.top - values.FlakeWidth;
    const std::int32_t alpha = values.Transparency == kOpaqueAlpha ? kOpaqueAlpha : 0;
    for (std::size_t i = static_cast<std::size_t>(std::max<std::int16_t>(first, 0));
         i < flakes.size(); ++i) {
        const double r1 = random.Next();
        const double r2 = random.Next();
        Flake& flake = flakes[i];
        flake.X = ClampToInt16(std::floor(spanX * r1 + halfWidth));
        flake.Y = ClampToInt16(std::floor(r2 * spanY + halfWidth));
        flake.Alpha = alpha;
    }
}

void StepFlake(std::vector<Flake>& flakes, std::int32_t index, const EngineValues& values,
               SnowGrid& grid, RandomSource& random, FlakePainter& painter) {
    if (index < 0 || static_cast<std::size_t>(index) >= flakes.size()) return;
    Flake& flake = flakes[static_cast<std::size_t>(index)];
    const std::int32_t fullAlpha = values.Transparency;
    const std::int32_t ub1 = grid.UB1();
    const std::int32_t ub2 = grid.UB2();

    // Drift around the falling direction, worked out in single precision.
    const float r = random.Next();
    const float turbulence = values.Turbulence;
    const float direction = values.FallingDirection;
    const float drift = 2.0f * r * turbulence + direction - turbulence;
    flake.X += TruncateToInt16(drift);
    flake.Y += values.FlakeCellHeight;

    if (flake.Alpha < fullAlpha) flake.Alpha = std::min(flake.Alpha + kFadeStep, fullAlpha);

    if (flake.Y >= ub2) flake.Y = ub2 - 1;

    if (flake.X > ub1 + values.FlakeWidth) {
        flake.X = -values.FlakeWidth;
    } else if (flake.X < -2 * values.FlakeWidth) {
        flake.X = ub1;
    }

    painter.DrawFallingFlake(flake.X, flake.Y, flake.Alpha);

    const std::int32_t offset =
        grid.FindSupport(flake.X, flake.Y, values.FlakeCellWidth, values.FlakeCellHeight);
    // A flake still fading in never settles: it falls through supports.
    if (flake.Alpha == fullAlpha && offset != SnowGrid::kNoSupport) {
        const std::int32_t restY = flake.Y + offset;
        grid.SettleFlake(flake.X, restY, values.FlakeCellWidth, values.FlakeCellHeight);
        painter.DrawSettledFlake(flake.X, restY, values.SecondaryAlpha);
        // Also onto this frame's picture, which was composed before it settled.
        painter.DrawFallingFlake(flake.X, restY, values.SecondaryAlpha);
        RestartHigh(flake, values, grid, random);
    }

    if (flake.Y >= ub2 - 1) RestartTop(flake, values, grid, random);
}

}  // namespace brumo
