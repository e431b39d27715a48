// Drawing on surfaces: Block flakes, picture flakes opaque and blended, surface
// copies, all clipped like GDI for any position and size; the blend's
// rounding; the scratch; the dot pattern and the colour helpers.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "DrawingReference.h"
#include "resources/Language.h"

namespace brumo {
namespace {

struct NoMessages : MessageSink {
    void ShowMessage(const std::string& text, MessageStyle) override { ADD_FAILURE() << text; }
};

// Loads the picture into `flake` and hands it back.
const FlakeBitmap& Load(FlakeBitmap& flake, const char* id, ColorRef color) {
    NoMessages messages;
    EXPECT_TRUE(flake.SetBitmapID(0, id, color, messages, Language()));
    return flake;
}

TEST(Drawing, BlendRoundsEveryByteLikeTheSystem) {
    // Each byte lane covers a quarter of the source values against every
    // destination value, so all pairs are checked and a carry between lanes shows.
    int mismatches = 0;
    for (std::uint32_t alpha = 0; alpha <= 255; ++alpha)
        for (std::uint32_t s = 0; s < 64; ++s)
            for (std::uint32_t d = 0; d <= 255; ++d) {
                const Pixel source = s | (s + 64) << 8 | (s + 128) << 16 | (s + 192) << 24;
                const Pixel destination = d | (255 - d) << 8 | (d ^ 0x3C) << 16 | (d ^ 0xA5) << 24;
                mismatches += BlendConstantAlpha(source, destination, alpha) !=
                              reference::Blend(source, destination, alpha);
            }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(BlendConstantAlpha(0xFF0000, 0x204060, 192), 0xC81018u);
    EXPECT_EQ(ColorRefToPixel(0x123456), 0x563412u);
    // Whole-number division: a top byte stays in the blue value.
    EXPECT_EQ(std::vector({GetRed(0x123456), GetGreen(0x01FF3400), GetBlue(0x01FF0000)}),
              std::vector({0x56u, 0x34u, 0x1FFu}));
}

enum class Op { Block, Bitmap, Copy, CopySelf };
using enum Op;

// Every operation at ordinary places, across each edge and at the ends of
// the 32-bit range, on a patterned 16 x 14 target; the copies read a
// patterned 6 x 5 source (or the target itself) at (sx, sy). Then a small
// flake in every alpha and several colours, cut at the left so that both the
// fast path over groups of pixels and the rest of a row are taken. Only
// translucent draws use the scratch, which grows to the largest flake.
TEST(Drawing, EveryOperationMatchesThePlainLoopsAtAnyPositionAndSize) {
    struct Case {
        Op op;
        std::int32_t x, y, w, h;  // Bitmap: w is the alpha, h the snow colour
        std::int32_t sx = 0, sy = 0;
        const char* picture = "#103";
    };
    std::vector<Case> cases = {
        // clang-format off
        {Block, 2, 1, 3, 3}, {Block, -2, -2, 3, 3}, {Block, 3, 3, 50, 50},
        {Block, 2, 1, INT_MAX, 2}, {Block, 1, 2, 3, INT_MAX}, {Block, INT_MIN, 0, INT_MAX, 3},
        {Block, 5, 5, -3, 2}, {Block, INT_MAX, INT_MAX, INT_MAX, 1},
        {Bitmap, 3, 2, 255, 0xFF}, {Bitmap, 3, 2, 192, 0xFF}, {Bitmap, 3, 2, 128, 0},
        {Bitmap, 2, 2, 0, 0xFFFFFF}, {Bitmap, -4, 2, 255, 0}, {Bitmap, 12, 1, 100, 0xC0A030},
        {Bitmap, 3, -6, 100, 0}, {Bitmap, 11, 10, 255, 0xFFFFFF}, {Bitmap, -2, -3, 448, 0x3080C0},
        {Bitmap, INT_MIN, 0, 255, 0xFF}, {Bitmap, 0, INT_MAX, 100, 0xFF},
        {Bitmap, INT_MAX - 2, 3, 100, 0}, {Copy, -1, 2, 4, 4}, {Copy, 0, 0, 2, 2, 3, 3},
        {Copy, 0, 0, INT_MAX, INT_MAX, -2, -3}, {Copy, INT_MIN, 0, 10, 10},
        {Copy, 14, 12, 9, 9, 1, 1}, {Copy, 2, 0, INT_MAX, 3, INT_MIN, 0},
        {CopySelf, 0, 1, 16, 13}, {CopySelf, 0, 0, 16, 13, 0, 1}, {CopySelf, 1, 0, 15, 14},
        {CopySelf, 0, 0, 15, 14, 1, 0},
        // clang-format on
    };
    for (const std::int32_t color : {0xFFFFFF, 0x000000, 0xFEFFFF, 0xC0FF3E})
        for (std::int32_t alpha = 0; alpha < 255; ++alpha)
            for (const std::int32_t x : {-3, 1, 9})
                cases.push_back({Bitmap, x, 3, alpha, color, 0, 0, "#102"});
    BlendScratch scratch;
    MemorySurface target(16, 14), source(6, 5);
    FlakeBitmap flake;
    DrawBitmap(target, 2, 2, Load(flake, "#103", 0), 0, kOpaqueAlpha, scratch);
    EXPECT_EQ(scratch.surface.Width(), 0);
    for (const Case& c : cases) {
        reference::FillPattern(target);
        reference::FillPattern(source, 0x51ED27);
        reference::Pixels expected;
        if (c.op == Block) {
            expected = reference::Block(target, c.x, c.y, c.w, c.h, 0x0000FF);
            DrawBlock(target, c.x, c.y, c.w, c.h, 0x0000FF);
        } else if (c.op == Bitmap) {
            const ColorRef color = static_cast<ColorRef>(c.h);
            expected =
                reference::Bitmap(target, c.x, c.y, Load(flake, c.picture, color), color, c.w);
            DrawBitmap(target, c.x, c.y, flake, color, c.w, scratch);
        } else {
            const Surface& from = c.op == Copy ? source : target;
            expected = reference::Copy(target, c.x, c.y, c.w, c.h, from, c.sx, c.sy);
            CopySurface(target, c.x, c.y, c.w, c.h, from, c.sx, c.sy);
        }
        ASSERT_EQ(reference::PixelsOf(target), expected)
            << static_cast<int>(c.op) << " at " << c.x << "," << c.y << " " << c.w << "x" << c.h;
    }
    EXPECT_EQ(std::pair(scratch.surface.Width(), scratch.surface.Height()), std::pair(21, 25));
}

TEST(Drawing, DotPatternIsGreyAtOddColumnsOfEvenRows) {
    for (const auto& [width, height] : {std::pair{5, 4}, {4, 3}, {1, 1}, {0, 0}}) {
        MemorySurface s(width, height);
        const reference::Pixels expected = reference::Expected(
            s,
            [](std::int32_t x, std::int32_t y, Pixel) { return x % 2 > y % 2 ? 0xC0C0C0u : 0u; });
        DrawDotPattern(s);
        EXPECT_EQ(reference::PixelsOf(s), expected) << width << "x" << height;
    }
}

}  // namespace
}  // namespace brumo
