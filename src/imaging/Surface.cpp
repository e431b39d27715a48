#include "imaging/Surface.h"

#include <algorithm>
#include <cstring>

#include "imaging/Clip.h"
#include "imaging/PixelRows.h"

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
    const std::optional<ClippedCopy> clip =
        ClipCopy(destX, destY, width, height, {destination.Width(), destination.Height()}, sourceX,
                 sourceY, {source.Width(), source.Height()});
    if (!clip) return;
    destX = clip->destX;
    destY = clip->destY;
    sourceX = clip->sourceX;
    sourceY = clip->sourceY;
    width = clip->width;
    height = clip->height;
    if (&destination != &source) {
        for (std::int32_t i = 0; i < height; ++i)
            WorkRow(RowWork::Copy, destination.Row(destY + i) + destX,
                    RowInputs{source.Row(sourceY + i) + sourceX}, width);
        return;
    }
    // Within one surface the rows may overlap.
    const bool downward = destY > sourceY;
    for (std::int32_t i = 0; i < height; ++i) {
        const std::int32_t row = downward ? height - 1 - i : i;
        std::memmove(destination.Row(destY + row) + destX, source.Row(sourceY + row) + sourceX,
                     static_cast<std::size_t>(width) * sizeof(Pixel));
    }
}

}  // namespace brumo
