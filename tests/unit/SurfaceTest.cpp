// Surface copies and the Block flake: clipping like GDI, exact pixels.
#include <gtest/gtest.h>

#include "imaging/FastDrawing.h"
#include "imaging/Surface.h"

namespace brumo {
namespace {

TEST(Color, ColorRefAndPixelSwapRedAndBlue) {
    EXPECT_EQ(ColorRefToPixel(0x0000FF), 0xFF0000u);
    EXPECT_EQ(ColorRefToPixel(0x123456), 0x563412u);
    EXPECT_EQ(PixelToColorRef(0x563412), 0x123456u);
}

TEST(DrawBlock, FillsExactlyTheBlock) {
    MemorySurface s(8, 6);
    DrawBlock(s, 2, 1, 3, 3, 0x0000FF);
    for (std::int32_t y = 0; y < 6; ++y)
        for (std::int32_t x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x <= 4 && y >= 1 && y <= 3;
            EXPECT_EQ(s.At(x, y), inside ? 0xFF0000u : 0u) << x << "," << y;
        }
}

TEST(DrawBlock, ClipsAtTheEdges) {
    MemorySurface s(4, 4);
    DrawBlock(s, -2, -2, 3, 3, kWhite);
    DrawBlock(s, 3, 3, 5, 5, kWhite);
    DrawBlock(s, 10, 0, 2, 2, kWhite);
    DrawBlock(s, 0, 0, 0, 4, kWhite);
    int white = 0;
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x) white += s.At(x, y) == 0xFFFFFFu;
    EXPECT_EQ(white, 2);
    EXPECT_EQ(s.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(s.At(3, 3), 0xFFFFFFu);
}

TEST(CopySurface, ClipsSourceAndDestinationLikeBitBlt) {
    MemorySurface source(4, 4), target(4, 4);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x) source.Row(y)[x] = static_cast<Pixel>(y * 10 + x);
    target.SetBackColor(0x00FFFFFF);
    target.Clear();
    CopySurface(target, -1, 2, 4, 4, source, 0, 0);
    EXPECT_EQ(target.At(0, 2), 1u);
    EXPECT_EQ(target.At(2, 3), 13u);
    EXPECT_EQ(target.At(3, 3), 0xFFFFFFu);
    EXPECT_EQ(target.At(0, 1), 0xFFFFFFu);
    CopySurface(target, 0, 0, 2, 2, source, 3, 3);
    EXPECT_EQ(target.At(0, 0), 33u);
    EXPECT_EQ(target.At(1, 0), 0xFFFFFFu);
}

TEST(CopySurface, OverlappingCopyWithinOneSurface) {
    MemorySurface s(1, 4);
    for (std::int32_t y = 0; y < 4; ++y) s.Row(y)[0] = static_cast<Pixel>(y);
    CopySurface(s, 0, 1, 1, 3, s, 0, 0);
    EXPECT_EQ(s.At(0, 1), 0u);
    EXPECT_EQ(s.At(0, 2), 1u);
    EXPECT_EQ(s.At(0, 3), 2u);
}

TEST(Surface, ResizeFillsWithTheBackgroundColour) {
    MemorySurface s;
    s.SetBackColor(0x0000FF);
    ASSERT_TRUE(s.Resize(3, 2));
    EXPECT_EQ(s.At(2, 1), 0xFF0000u);
    EXPECT_FALSE(s.Resize(-1, 2));
    EXPECT_EQ(s.Width(), 3);
}

}  // namespace
}  // namespace brumo
