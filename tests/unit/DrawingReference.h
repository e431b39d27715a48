// Plain reference loops for the drawing operations: every target pixel is
// decided on its own, in 64-bit arithmetic, without any clipping step.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/FastDrawing.h"

namespace brumo::reference {

using Pixels = std::vector<Pixel>;

// What `target` holds after the operation; `pixel(x, y, before)` decides each pixel.
template <typename Decide>
Pixels Expected(const Surface& target, Decide pixel) {
    Pixels expected;
    for (std::int32_t y = 0; y < target.Height(); ++y)
        for (std::int32_t x = 0; x < target.Width(); ++x)
            expected.push_back(pixel(x, y, target.At(x, y)));
    return expected;
}

inline Pixels PixelsOf(const Surface& surface) {
    return Expected(surface, [](std::int32_t, std::int32_t, Pixel p) { return p; });
}

// Every pixel different, all channels in use, the top byte zero.
inline void FillPattern(Surface& surface, std::uint32_t seed = 0x9E3779) {
    for (std::int32_t y = 0; y < surface.Height(); ++y)
        for (std::int32_t x = 0; x < surface.Width(); ++x)
            surface.Row(y)[x] = (seed * static_cast<Pixel>(y * surface.Width() + x + 1)) & 0xFFFFFF;
}

// The offset of `at` inside [origin, origin + length), or -1.
inline std::int64_t Offset(std::int64_t at, std::int64_t origin, std::int64_t length) {
    const std::int64_t offset = at - origin;
    return offset >= 0 && offset < length ? offset : -1;
}

inline Pixels Block(const Surface& target, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height, ColorRef color) {
    return Expected(target, [&](std::int32_t tx, std::int32_t ty, Pixel under) {
        const bool inside = Offset(tx, x, width) >= 0 && Offset(ty, y, height) >= 0;
        return inside ? ColorRefToPixel(color) : under;
    });
}

// `source` may be `target` itself: the copy reads the pixels as they were.
inline Pixels Copy(const Surface& target, std::int32_t destX, std::int32_t destY,
                   std::int32_t width, std::int32_t height, const Surface& source,
                   std::int32_t sourceX, std::int32_t sourceY) {
    const Pixels from = PixelsOf(source);
    return Expected(target, [&](std::int32_t tx, std::int32_t ty, Pixel under) {
        const std::int64_t dx = Offset(tx, destX, width), dy = Offset(ty, destY, height);
        const std::int64_t sx = sourceX + dx, sy = sourceY + dy;
        const bool copied = dx >= 0 && dy >= 0 && Offset(sx, 0, source.Width()) >= 0 &&
                            Offset(sy, 0, source.Height()) >= 0;
        return copied ? from[static_cast<std::size_t>(sy * source.Width() + sx)] : under;
    });
}

}  // namespace brumo::reference
