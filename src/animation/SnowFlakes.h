// The falling flakes: where they start, and one frame of motion for one
// flake (drift, fall, fade in, wrap, draw, support test, settling, respawn).
// The grid decides where snow rests; a `FlakePainter` draws a flake onto the
// work surface (falling) or into the back buffer (settled).
#pragma once

#include <cstdint>
#include <vector>

#include "animation/RandomSource.h"
#include "animation/SnowGrid.h"
#include "imaging/Surface.h"
#include "settings/EngineValues.h"

namespace brumo {

struct Flake {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Alpha = 0;
    bool operator==(const Flake&) const = default;
};

// Flakes when `CountSnowballs` is 0 or less: indices 0 to 400.
constexpr std::int32_t kDefaultLastFlakeIndex = 400;

class FlakePainter {
  public:
    virtual ~FlakePainter() = default;
    virtual void DrawFallingFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) = 0;
    virtual void DrawSettledFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) = 0;
};

// The flake array for a run: indices 0 to N, N = countSnowballs, or 400 when
// countSnowballs is 0 or less; every field 0.
std::vector<Flake> DimensionFlakes(std::int32_t countSnowballs);

// `PlaceFlakes`: seeds `random` with `seedTimer`, then gives the flakes from
// index `first` on random start positions over the screen (width
// `screenWidth`) down to the lower edge of the background picture.
void PlaceFlakes(std::vector<Flake>& flakes, std::int16_t first, const EngineValues& values,
                 const Rect& background, std::int32_t screenWidth, RandomSource& random,
                 float seedTimer);

// `StepFlake`: one frame of flake `index`.
void StepFlake(std::vector<Flake>& flakes, std::int32_t index, const EngineValues& values,
               SnowGrid& grid, RandomSource& random, FlakePainter& painter);

}  // namespace brumo
