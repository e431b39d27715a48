// The sticker's colour-keyed copy against a plain per-pixel loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>

#include "DrawingReference.h"
#include "imaging/Snapshot.h"

namespace brumo {
namespace {

TEST(Snapshot, TransparentCopyKeepsTheDestinationOnlyUnderTheSeeThroughColour) {
    struct Case {
        Rect rect;
        std::int32_t x, y;
        ColorRef key = kSeeThroughWhite;
    };
    // Inside, across each edge of the target and of the overlay, wholly
    // outside, at the ends of the 32-bit range; COLORREF red as the key.
    const Case cases[] = {
        // clang-format off
        {{0, 0, 4, 3}, 1, 1}, {{0, 0, 4, 3}, -2, -1}, {{0, 0, 4, 3}, 3, 2}, {{-1, -1, 4, 3}, 0, 0},
        {{1, 1, 9, 9}, 0, 0}, {{0, 0, 4, 3}, 5, 0}, {{0, 0, INT_MAX, INT_MAX}, INT_MIN, 1},
        {{0, 0, 4, 3}, 1, 0, 0x0000FF},
        // clang-format on
    };
    // Pure white, white one step off in each channel, and other colours,
    // red and blue among them to tell the colour orders apart.
    const Pixel pixels[] = {0xFFFFFF, 0xFEFFFF, 0xFFFEFF, 0xFFFFFE, 0x000000, 0xFFFFFF,
                            0xFF0000, 0x0000FF, 0x123456, 0xFFFFFF, 0xFFFFFF, 0x00FF00};
    MemorySurface overlay(4, 3);
    std::copy(std::begin(pixels), std::end(pixels), overlay.Row(0));
    for (const Case& c : cases) {
        MemorySurface target(5, 4);
        reference::FillPattern(target);
        const reference::Pixels expected =
            reference::Expected(target, [&](std::int32_t tx, std::int32_t ty, Pixel under) {
                const std::int64_t ox = reference::Offset(tx, c.x, c.rect.width);
                const std::int64_t oy = reference::Offset(ty, c.y, c.rect.height);
                const std::int64_t sx = c.rect.left + ox, sy = c.rect.top + oy;
                if (ox < 0 || oy < 0 || sx < 0 || sy < 0 || sx >= 4 || sy >= 3) return under;
                const Pixel p =
                    overlay.At(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy));
                return p == ColorRefToPixel(c.key) ? under : p;
            });
        TransparentCopy(target, overlay, c.rect, c.x, c.y, c.key);
        EXPECT_EQ(reference::PixelsOf(target), expected) << c.x << "," << c.y << " key " << c.key;
    }
}

}  // namespace
}  // namespace brumo
