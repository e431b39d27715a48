// Picture flakes drawn onto surfaces: opaque through the mask, translucent
// through the scratch and the constant-alpha blend, clipped at every edge;
// the dot pattern and the colour helpers of the settings previews.
#include <gtest/gtest.h>

#include <string>

#include "imaging/FastDrawing.h"
#include "imaging/FlakeBitmap.h"
#include "resources/FlakePictures.h"

namespace brumo {
namespace {

class NoMessages : public MessageSink {
  public:
    void ShowMessage(const std::string& text, MessageStyle) override {
        ADD_FAILURE() << "unexpected message: " << text;
    }
};

// Every pixel different, all channels in use, the top byte zero.
void FillPattern(Surface& s) {
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x)
            s.Row(y)[x] = (0x9E3779u * static_cast<Pixel>(y * s.Width() + x + 1)) & 0xFFFFFF;
}

// The blend written out channel by channel, as the system documents it.
Pixel ReferenceBlend(Pixel source, Pixel destination, std::uint32_t alpha) {
    Pixel result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t s = (source >> shift) & 0xFF;
        const std::uint32_t d = (destination >> shift) & 0xFF;
        result |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

TEST(DrawBitmapBlend, EveryByteRoundsLikeTheSystemBlend) {
    // Each byte lane covers a quarter of the source values against every
    // destination value, so all pairs are checked and a carry between lanes shows.
    int mismatches = 0;
    for (std::uint32_t alpha = 0; alpha <= 255; ++alpha)
        for (std::uint32_t s = 0; s < 64; ++s)
            for (std::uint32_t d = 0; d <= 255; ++d) {
                const Pixel source = s | (s + 64) << 8 | (s + 128) << 16 | (s + 192) << 24;
                const Pixel destination = d | (255 - d) << 8 | (d ^ 0x3C) << 16 | (d ^ 0xA5) << 24;
                mismatches += BlendConstantAlpha(source, destination, alpha) !=
                              ReferenceBlend(source, destination, alpha);
            }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(BlendConstantAlpha(0xFF0000, 0x204060, 192), 0xC81018u);
}

class DrawBitmapFixture : public ::testing::Test {
  protected:
    void Load(FlakeBitmap& flake, const std::string& id, ColorRef color) {
        ASSERT_TRUE(flake.SetBitmapID(0, id, color, messages, language));
    }

    // Draws on a patterned surface and compares every pixel with what the
    // picture says: flake pixels blended (or set, at 255) in the colour,
    // everything else as it was. Answers how many pixels changed.
    int ExpectDrawnLikeThePicture(const std::string& id, ColorRef color, std::int32_t alpha,
                                  std::int32_t x, std::int32_t y) {
        FlakeBitmap flake;
        Load(flake, id, color);
        const FlakePicture* picture = FindFlakePicture(id);
        MemorySurface before(kTargetWidth, kTargetHeight), target(kTargetWidth, kTargetHeight);
        FillPattern(before);
        FillPattern(target);
        DrawBitmap(target, x, y, flake, color, alpha, scratch);
        int changed = 0, mismatches = 0;
        for (std::int32_t ty = 0; ty < kTargetHeight; ++ty)
            for (std::int32_t tx = 0; tx < kTargetWidth; ++tx) {
                const std::int64_t px = std::int64_t{tx} - x;  // no overflow at the extremes
                const std::int64_t py = std::int64_t{ty} - y;
                const bool onFlake = px >= 0 && py >= 0 && px < picture->Width() &&
                                     py < picture->Height() &&
                                     picture->IsFlakePixel(static_cast<std::int32_t>(px),
                                                           static_cast<std::int32_t>(py));
                const Pixel under = before.At(tx, ty), snow = ColorRefToPixel(color);
                const Pixel expected = !onFlake ? under
                                       : alpha == kOpaqueAlpha
                                           ? snow
                                           : ReferenceBlend(snow, under, alpha & 0xFF);
                mismatches += target.At(tx, ty) != expected;
                changed += target.At(tx, ty) != under;
            }
        EXPECT_EQ(mismatches, 0) << id << " at " << x << "," << y << " alpha " << alpha;
        return changed;
    }

    static constexpr std::int32_t kTargetWidth = 16;
    static constexpr std::int32_t kTargetHeight = 14;
    NoMessages messages;
    Language language;
    BlendScratch scratch;
};

TEST_F(DrawBitmapFixture, KnownPixelsAtFullTranslucentAndBlackSnow) {
    const struct {
        ColorRef color, back;
        std::int32_t alpha;
        Pixel flake, background;
    } cases[] = {{0x0000FF, 0x604020, 255, 0xFF0000, 0x204060},
                 {0x0000FF, 0x604020, 192, 0xC81018, 0x204060},
                 // A colour key on black would have dropped black snow.
                 {0x000000, 0xFFFFFF, 128, 0x7F7F7F, 0xFFFFFF}};
    for (const auto& c : cases) {
        FlakeBitmap flake;
        Load(flake, "#102", c.color);
        MemorySurface target(8, 8);
        target.SetBackColor(c.back);
        target.Clear();
        DrawBitmap(target, 0, 0, flake, c.color, c.alpha, scratch);
        for (const auto& [x, y] : {std::pair{3, 0}, {0, 3}, {4, 7}})
            EXPECT_EQ(target.At(x, y), c.flake) << c.alpha << " at " << x << "," << y;
        EXPECT_EQ(target.At(0, 0), c.background);
        EXPECT_EQ(target.At(7, 7), c.background);
    }
}

TEST_F(DrawBitmapFixture, OpaqueSetsAndTranslucentBlendsExactlyTheFlakePixels) {
    EXPECT_EQ(ExpectDrawnLikeThePicture("#102", 0x0000FF, 255, 3, 2), 44);
    EXPECT_EQ(ExpectDrawnLikeThePicture("#102", 0x0000FF, 192, 3, 2), 44);
    EXPECT_EQ(ExpectDrawnLikeThePicture("#106", 0x000000, 128, 3, 2), 26);
    EXPECT_EQ(ExpectDrawnLikeThePicture("#101", 0xFFFFFF, 0, 2, 2), 0);
    EXPECT_EQ(ExpectDrawnLikeThePicture("#101", 0x000000, 0, 2, 2), 0);
    ExpectDrawnLikeThePicture("#107", 0xFFFFFF, 255, 5, 6);
    ExpectDrawnLikeThePicture("#105", 0xFEFFFF, 255, 0, 0);
    ExpectDrawnLikeThePicture("#106", 0x000000, 255, 6, 4);
    ExpectDrawnLikeThePicture("#103", 0xFFFFFF, 192, -2, -3);
    ExpectDrawnLikeThePicture("#103", 0x000000, 40, -5, 2);
    // Only the low byte of the alpha is the blend's constant alpha.
    ExpectDrawnLikeThePicture("#101", 0x3080C0, 256 + 192, 4, 4);
}

// Every alpha, with the flake cut at the left so that both the fast path over
// whole groups of pixels and the rest of a row are taken.
TEST_F(DrawBitmapFixture, EveryAlphaMatchesTheChannelBlendOnWholeAndPartRows) {
    for (const ColorRef color : {0xFFFFFFu, 0x000000u, 0xFEFFFFu, 0x7F8081u, 0xC0FF3Eu})
        for (std::int32_t alpha = 0; alpha < 255; ++alpha)
            for (const std::int32_t x : {-3, 1, 9})
                ExpectDrawnLikeThePicture("#102", color, alpha, x, 3);
}

TEST_F(DrawBitmapFixture, FlakesPartlyOutsideAreClippedOnEverySide) {
    const std::pair<std::int32_t, std::int32_t> positions[] = {{-4, 2},
                                                               {12, 1},
                                                               {3, -6},
                                                               {2, 9},
                                                               {-6, -5},
                                                               {11, 10},
                                                               {16, 0},
                                                               {-10, 0},
                                                               {0, 14},
                                                               {0, -10},
                                                               {-3, 11},
                                                               {14, -4},
                                                               {-2147483647 - 1, 0},
                                                               {0, 2147483647}};
    for (const ColorRef color : {0x30C0A0u, 0xFFFFFFu, 0x000000u})
        for (const std::int32_t alpha : {255, 100})
            for (const auto& [x, y] : positions)
                ExpectDrawnLikeThePicture("#101", color, alpha, x, y);
}

TEST_F(DrawBitmapFixture, OpaqueDrawsNeverTouchTheScratch) {
    FlakeBitmap small, big;
    Load(small, "#107", 0x30C0A0);
    Load(big, "#103", 0x000000);
    MemorySurface target(16, 16);
    FillPattern(target);
    DrawBitmap(target, 2, 2, small, 0x30C0A0, 255, scratch);
    EXPECT_EQ(scratch.surface.Width(), 0);
    DrawBitmap(target, 2, 2, small, 0x30C0A0, 100, scratch);
    ASSERT_EQ(scratch.surface.Width(), 7);
    MemorySurface kept(7, 7);
    CopySurface(kept, 0, 0, 7, 7, scratch.surface, 0, 0);
    DrawBitmap(target, 0, 0, big, 0x000000, 255, scratch);
    DrawBitmap(target, 5, 3, small, 0x30C0A0, 255, scratch);
    for (std::int32_t y = 0; y < 7; ++y)
        for (std::int32_t x = 0; x < 7; ++x)
            EXPECT_EQ(scratch.surface.At(x, y), kept.At(x, y)) << x << "," << y;
    // The one scratch serves a larger flake too, growing once for it.
    DrawBitmap(target, 0, 0, big, 0x000000, 100, scratch);
    DrawBitmap(target, 0, 0, small, 0x30C0A0, 100, scratch);
    EXPECT_EQ(scratch.surface.Width(), 21);
    EXPECT_EQ(scratch.surface.Height(), 25);
}

TEST_F(DrawBitmapFixture, AnEmptyFlakeDrawsNothing) {
    const FlakeBitmap empty;
    MemorySurface target(4, 4), before(4, 4);
    FillPattern(target);
    FillPattern(before);
    DrawBitmap(target, 0, 0, empty, 0xFFFFFF, 255, scratch);
    DrawBitmap(target, 0, 0, empty, 0xFFFFFF, 100, scratch);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x) EXPECT_EQ(target.At(x, y), before.At(x, y));
}

TEST(DrawDotPattern, GreyAtOddColumnsOfEvenRows) {
    const struct {
        std::int32_t width, height;
        std::string dots;
    } cases[] = {
        {4, 3, "(1,0)(3,0)(1,2)(3,2)"}, {5, 4, "(1,0)(3,0)(1,2)(3,2)"}, {1, 1, ""}, {0, 0, ""}};
    for (const auto& c : cases) {
        MemorySurface s(c.width, c.height);
        DrawDotPattern(s);
        std::string dots;
        for (std::int32_t y = 0; y < s.Height(); ++y)
            for (std::int32_t x = 0; x < s.Width(); ++x)
                if (s.At(x, y) != 0) {
                    EXPECT_EQ(s.At(x, y), 0xC0C0C0u);
                    dots += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
                }
        EXPECT_EQ(dots, c.dots);
    }
}

TEST(ColorHelpers, ChannelsOfAColorRef) {
    EXPECT_EQ(GetRed(0x123456), 0x56u);
    EXPECT_EQ(GetGreen(0x123456), 0x34u);
    EXPECT_EQ(GetBlue(0x123456), 0x12u);
    // Whole-number division: a top byte stays in the blue value.
    EXPECT_EQ(GetBlue(0x01FF0000), 0x1FFu);
    EXPECT_EQ(GetGreen(0x01FF0000), 0u);
}

}  // namespace
}  // namespace brumo
