// Drawing on surfaces: Block flakes, picture flakes opaque and blended, and
// surface copies, all clipped like GDI for any position and size, against
// plain reference loops.
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

const FlakeBitmap& Load(FlakeBitmap& flake, const char* id, ColorRef color) {
    NoMessages messages;
    EXPECT_TRUE(flake.SetBitmapID(0, id, color, messages, Language()));
    return flake;
}

enum class Op { Block, Bitmap, Copy, CopySelf };
using enum Op;

// Every operation at ordinary places, across each edge and at the ends of
// the 32-bit range, on a patterned 16 x 14 target; the copies read a
// patterned 6 x 5 source (or the target itself) at (sx, sy). Then a small
// flake in every alpha and several colours, cut at the left so that both the
// fast path over groups of pixels and the rest of a row are taken. Opaque
// draws leave the scratch alone.
TEST(Drawing, EveryOperationMatchesThePlainLoopsAtAnyPositionAndSize) {
    struct Case {
        Op op;
        std::int32_t x, y, w, h;  // Bitmap: w is the alpha, h the snow colour
        std::int32_t sx = 0, sy = 0;
        const char* picture = "#103";
    };
    std::vector<Case> cases = {
        // clang-format off
        {Block, -2, -2, 3, 3}, {Block, 2, 1, INT_MAX, 2}, {Block, 1, 2, 3, INT_MAX},
        {Block, INT_MIN, 0, INT_MAX, 3}, {Block, INT_MAX, INT_MAX, INT_MAX, 1},
        {Bitmap, 3, 2, 128, 0}, {Bitmap, 11, 10, 255, 0xFFFFFF}, {Bitmap, -2, -3, 448, 0x3080C0},
        {Bitmap, INT_MIN, 0, 255, 0xFF}, {Bitmap, 0, INT_MAX, 100, 0xFF}, {Bitmap, INT_MAX - 2, 3, 100, 0},
        {Copy, -1, 2, 4, 4}, {Copy, 0, 0, INT_MAX, INT_MAX, -2, -3}, {Copy, INT_MIN, 0, 10, 10},
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
}

}  // namespace
}  // namespace brumo
