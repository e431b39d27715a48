// The colour-keyed copy behind the snapshot sticker. The classic blit builds a
// one-bit mask (1 where the source is the see-through colour), keeps the
// destination under the mask, clears the source there, and XORs the two; per
// pixel that is (destination AND mask) XOR (source AND NOT mask), which is the
// plain choice made here for each pixel of the clipped rectangle.
#include "imaging/Snapshot.h"

#include <optional>

#include "imaging/Clip.h"

namespace brumo {

void TransparentCopy(Surface& destination, const Surface& source, Rect sourceRect, std::int32_t x,
                     std::int32_t y, ColorRef seeThrough) {
    const std::optional<ClippedCopy> clip = ClipCopy(
        x, y, sourceRect.width, sourceRect.height, {destination.Width(), destination.Height()},
        sourceRect.left, sourceRect.top, {source.Width(), source.Height()});
    if (!clip) return;
    const Pixel key = ColorRefToPixel(seeThrough);
    for (std::int32_t row = 0; row < clip->height; ++row) {
        const Pixel* from = source.Row(clip->sourceY + row) + clip->sourceX;
        Pixel* to = destination.Row(clip->destY + row) + clip->destX;
        for (std::int32_t column = 0; column < clip->width; ++column)
            if (from[column] != key) to[column] = from[column];
    }
}

}  // namespace brumo
