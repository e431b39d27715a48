#include "imaging/FastDrawing.h"

#include <algorithm>

namespace brumo {

void DrawBlock(Surface& target, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, ColorRef color) {
    const std::int32_t left = std::max(x, 0);
    const std::int32_t top = std::max(y, 0);
    const std::int32_t right = std::min(x + width, target.Width());
    const std::int32_t bottom = std::min(y + height, target.Height());
    if (left >= right || top >= bottom) return;
    const Pixel pixel = ColorRefToPixel(color);
    for (std::int32_t row = top; row < bottom; ++row)
        std::fill(target.Row(row) + left, target.Row(row) + right, pixel);
}

}  // namespace brumo
