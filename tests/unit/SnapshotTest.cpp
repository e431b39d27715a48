// The sticker's colour-keyed copy against a plain per-pixel loop.
#include <gtest/gtest.h>

#include <climits>

#include "DrawingReference.h"
#include "imaging/Snapshot.h"

namespace brumo {
namespace {

// A 4 x 3 overlay: pure white, white one step off in each channel, and other
// colours, among them red and blue to tell the colour orders apart.
void FillOverlay(MemorySurface& overlay) {
    overlay.Resize(4, 3);
    const Pixel pixels[3][4] = {{0xFFFFFF, 0xFEFFFF, 0xFFFEFF, 0xFFFFFE},
                                {0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF},
                                {0x123456, 0xFFFFFF, 0xFFFFFF, 0x00FF00}};
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 4; ++x) overlay.Row(y)[x] = pixels[y][x];
}

TEST(Snapshot, TransparentCopyKeepsTheDestinationOnlyUnderTheSeeThroughColour) {
    struct Case {
        Rect rect;
        std::int32_t x, y;
        ColorRef key = kSeeThroughWhite;
    };
    const Case cases[] = {
        {{0, 0, 4, 3}, 1, 1},
        {{0, 0, 4, 3}, -2, -1},
        {{0, 0, 4, 3}, 3, 2},
        {{-1, -1, 4, 3}, 0, 0},
        {{1, 1, 9, 9}, 0, 0},
        {{0, 0, 4, 3}, 5, 0},
        {{0, 0, INT_MAX, INT_MAX}, INT_MIN, 1},
        {{0, 0, 4, 3}, 1, 0, 0x0000FF},  // COLORREF red: the red pixel is see-through
    };
    MemorySurface overlay;
    FillOverlay(overlay);
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
