// The drawing operations the engine runs for every flake of every frame,
// working on the surface's pixels directly. They produce exactly the pixels
// of the GDI operations they stand for, and clip at the surface's edges.
#pragma once

#include <cstdint>

#include "imaging/Color.h"
#include "imaging/Surface.h"

namespace brumo {

// A Block flake: fills the rectangle (x, y)..(x + width - 1, y + height - 1)
// with the colour, opaque, like FillRect with a solid brush.
void DrawBlock(Surface& target, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, ColorRef color);

}  // namespace brumo
