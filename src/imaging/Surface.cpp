#include "imaging/Surface.h"

#include <algorithm>
#include <cstring>

namespace brumo {

void Surface::Clear() {
    const Pixel fill = ColorRefToPixel(backColor_);
    for (std::int32_t y = 0; y < height_; ++y) std::fill_n(Row(y), width_, fill);
}

bool MemorySurface::Resize(std::int32_t width, std::int32_t height) {
    if (width < 0 || height < 0) return false;
    storage_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                    ColorRefToPixel(BackColor()));
    Attach(storage_.data(), width, height);
    return true;
}

void CopySurface(Surface& destination, std::int32_t destX, std::int32_t destY, std::int32_t width,
                 std::int32_t height, const Surface& source, std::int32_t sourceX,
                 std::int32_t sourceY) {
    // Clip the left/top edges of both surfaces, then the right/bottom ones.
    const std::int32_t skipX = std::max({0, -destX, -sourceX});
    const std::int32_t skipY = std::max({0, -destY, -sourceY});
    destX += skipX;
    sourceX += skipX;
    destY += skipY;
    sourceY += skipY;
    width -= skipX;
    height -= skipY;
    width = std::min({width, destination.Width() - destX, source.Width() - sourceX});
    height = std::min({height, destination.Height() - destY, source.Height() - sourceY});
    if (width <= 0 || height <= 0) return;
    const bool sameRowsDownward = &destination == &source && destY > sourceY;
    for (std::int32_t i = 0; i < height; ++i) {
        const std::int32_t row = sameRowsDownward ? height - 1 - i : i;
        std::memmove(destination.Row(destY + row) + destX, source.Row(sourceY + row) + sourceX,
                     static_cast<std::size_t>(width) * sizeof(Pixel));
    }
}

}  // namespace brumo
