// Picture flakes drawn onto surfaces: opaque through the mask, translucent
// through the scratch and the constant-alpha blend, clipped at every edge;
// the dot pattern and the colour helpers of the settings previews.
#include <gtest/gtest.h>

#include <string>

#include "imaging/FastDrawing.h"
#include "imaging/clsBitmap.h"
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

class DrawBitmapFixture : public ::testing::Test {
  protected:
    void Load(clsBitmap& flake, const std::string& id, ColorRef color) {
        ASSERT_TRUE(flake.SetBitmapID(0, id, color, messages, language));
    }

    // Draws on a patterned surface and compares every pixel with what the
    // picture says: flake pixels blended (or set, at 255) in the colour,
    // everything else as it was.
    void ExpectDrawnLikeThePicture(const std::string& id, ColorRef color, std::int32_t alpha,
                                   std::int32_t x, std::int32_t y) {
        clsBitmap flake;
        Load(flake, id, color);
        const FlakePicture* picture = FindFlakePicture(id);
        ASSERT_NE(picture, nullptr);
        MemorySurface before(kTargetWidth, kTargetHeight), target(kTargetWidth, kTargetHeight);
        FillPattern(before);
        FillPattern(target);
        DrawBitmap(target, x, y, flake, color, alpha, scratch);
        const Pixel snow = ColorRefToPixel(color);
        const auto constantAlpha = static_cast<std::uint32_t>(alpha) & 0xFF;
        int changed = 0;
        for (std::int32_t ty = 0; ty < kTargetHeight; ++ty)
            for (std::int32_t tx = 0; tx < kTargetWidth; ++tx) {
                const std::int64_t px = std::int64_t{tx} - x;  // no overflow at the extremes
                const std::int64_t py = std::int64_t{ty} - y;
                const bool onFlake = px >= 0 && py >= 0 && px < picture->Width() &&
                                     py < picture->Height() &&
                                     picture->IsFlakePixel(static_cast<std::int32_t>(px),
                                                           static_cast<std::int32_t>(py));
                const Pixel under = before.At(tx, ty);
                Pixel expected = under;
                if (onFlake)
                    expected =
                        alpha == kOpaqueAlpha ? snow : ReferenceBlend(snow, under, constantAlpha);
                EXPECT_EQ(target.At(tx, ty), expected) << id << " at " << x << "," << y << " alpha "
                                                       << alpha << " pixel " << tx << "," << ty;
                changed += target.At(tx, ty) != under;
            }
        lastChanged = changed;
    }

    static constexpr std::int32_t kTargetWidth = 16;
    static constexpr std::int32_t kTargetHeight = 14;
    NoMessages messages;
    Language language;
    BlendScratch scratch;
    int lastChanged = 0;
};

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
    EXPECT_EQ(BlendConstantAlpha(0x000000, 0xFFFFFF, 128), 0x7F7F7Fu);
    EXPECT_EQ(BlendConstantAlpha(0xFFFFFF, 0x204060, 1), 0x214161u);
}

// Every alpha with colours from the extremes to arbitrary ones, over many
// different pixels: the fast paths (whole groups of pixels and the rest of
// a row) must agree with the blend written out channel by channel.
TEST_F(DrawBitmapFixture, EveryAlphaMatchesTheChannelBlendOnWholeAndPartRows) {
    constexpr std::int32_t kSize = 40;  // 5 x 5 flakes of 8 x 8, one more column cut
    const ColorRef colors[] = {0xFFFFFF, 0x000000, 0x0000FF, 0xFEFFFF, 0x010101,
                               0x7F8081, 0xC0FF3E, 0x00FF00, 0xFF0000, 0x123456};
    const FlakePicture* picture = FindFlakePicture("#102");
    ASSERT_NE(picture, nullptr);
    MemorySurface before(kSize, kSize), target(kSize, kSize);
    int mismatches = 0;
    int blended = 0;
    for (const ColorRef color : colors) {
        clsBitmap flake;
        Load(flake, "#102", color);
        const Pixel snow = ColorRefToPixel(color);
        for (std::uint32_t alpha = 0; alpha < 255; ++alpha) {
            for (std::int32_t y = 0; y < kSize; ++y)
                for (std::int32_t x = 0; x < kSize; ++x)
                    before.Row(y)[x] = (0x9E3779B1u * (alpha * 7919 + color +
                                                       static_cast<Pixel>(y * kSize + x))) >>
                                       8;
            CopySurface(target, 0, 0, kSize, kSize, before, 0, 0);
            // Columns start at -3 so the first and last flakes of a row are cut.
            for (std::int32_t fy = 0; fy < kSize; fy += 8)
                for (std::int32_t fx = -3; fx < kSize; fx += 8)
                    DrawBitmap(target, fx, fy, flake, color, static_cast<std::int32_t>(alpha),
                               scratch);
            for (std::int32_t y = 0; y < kSize; ++y)
                for (std::int32_t x = 0; x < kSize; ++x) {
                    const bool onFlake = picture->IsFlakePixel((x + 3) % 8, y % 8);
                    const Pixel under = before.At(x, y);
                    const Pixel expected = onFlake ? ReferenceBlend(snow, under, alpha) : under;
                    mismatches += target.At(x, y) != expected;
                    blended += onFlake;
                }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(blended, 10 * 255 * 44 * 25);
}

TEST_F(DrawBitmapFixture, OpaqueSetsExactlyTheFlakePixels) {
    ExpectDrawnLikeThePicture("#102", 0x0000FF, 255, 3, 2);
    EXPECT_EQ(lastChanged, 44);
    ExpectDrawnLikeThePicture("#107", 0xFFFFFF, 255, 5, 6);
    ExpectDrawnLikeThePicture("#105", 0xFEFFFF, 255, 0, 0);
    ExpectDrawnLikeThePicture("#106", 0x000000, 255, 6, 4);
}

TEST_F(DrawBitmapFixture, OpaqueOnKnownPixels) {
    clsBitmap flake;
    Load(flake, "#102", 0x0000FF);
    MemorySurface target(8, 8);
    target.SetBackColor(0x604020);  // pixel 0x204060
    target.Clear();
    DrawBitmap(target, 0, 0, flake, 0x0000FF, 255, scratch);
    EXPECT_EQ(target.At(0, 0), 0x204060u);  // background of the picture
    EXPECT_EQ(target.At(3, 0), 0xFF0000u);  // flake
    EXPECT_EQ(target.At(0, 3), 0xFF0000u);
    EXPECT_EQ(target.At(7, 7), 0x204060u);
}

TEST_F(DrawBitmapFixture, TranslucentBlendsTheFlakePixelsOnly) {
    clsBitmap flake;
    Load(flake, "#102", 0x0000FF);
    MemorySurface target(8, 8);
    target.SetBackColor(0x604020);
    target.Clear();
    DrawBitmap(target, 0, 0, flake, 0x0000FF, 192, scratch);
    EXPECT_EQ(target.At(3, 0), 0xC81018u);
    EXPECT_EQ(target.At(0, 0), 0x204060u);
    EXPECT_EQ(target.At(4, 7), 0xC81018u);
    ExpectDrawnLikeThePicture("#102", 0x0000FF, 192, 3, 2);
    EXPECT_EQ(lastChanged, 44);
    ExpectDrawnLikeThePicture("#103", 0xFFFFFF, 192, -2, -3);
    ExpectDrawnLikeThePicture("#104", 0xFEFFFF, 1, 1, 0);
    ExpectDrawnLikeThePicture("#101", 0x3080C0, 254, 4, 4);
    // Only the low byte of the alpha is the blend's constant alpha.
    ExpectDrawnLikeThePicture("#101", 0x3080C0, 256 + 192, 4, 4);
}

TEST_F(DrawBitmapFixture, AlphaZeroLeavesEverythingAsItWas) {
    ExpectDrawnLikeThePicture("#101", 0xFFFFFF, 0, 2, 2);
    EXPECT_EQ(lastChanged, 0);
    ExpectDrawnLikeThePicture("#101", 0x000000, 0, 2, 2);
    EXPECT_EQ(lastChanged, 0);
}

TEST_F(DrawBitmapFixture, BlackSnowIsBlendedThroughTheMask) {
    clsBitmap flake;
    Load(flake, "#102", 0x000000);
    MemorySurface target(8, 8);
    target.SetBackColor(0xFFFFFF);
    target.Clear();
    DrawBitmap(target, 0, 0, flake, 0x000000, 128, scratch);
    EXPECT_EQ(target.At(3, 0), 0x7F7F7Fu);  // a colour key on black would have dropped it
    EXPECT_EQ(target.At(0, 0), 0xFFFFFFu);
    ExpectDrawnLikeThePicture("#106", 0x000000, 128, 3, 2);
    EXPECT_EQ(lastChanged, 26);
    ExpectDrawnLikeThePicture("#103", 0x000000, 40, -5, 2);
}

TEST_F(DrawBitmapFixture, FlakesPartlyOutsideAreClippedOnEverySide) {
    const struct {
        std::int32_t x, y;
    } positions[] = {{-4, 2},
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
            for (const auto& p : positions)
                ExpectDrawnLikeThePicture("#101", color, alpha, p.x, p.y);
}

TEST_F(DrawBitmapFixture, OpaqueDrawsNeverTouchTheScratch) {
    clsBitmap small;
    Load(small, "#107", 0x30C0A0);
    MemorySurface target(16, 16);
    FillPattern(target);
    DrawBitmap(target, 2, 2, small, 0x30C0A0, 255, scratch);
    EXPECT_EQ(scratch.surface.Width(), 0);
    DrawBitmap(target, 2, 2, small, 0x30C0A0, 100, scratch);
    ASSERT_EQ(scratch.surface.Width(), 7);
    ASSERT_EQ(scratch.surface.Height(), 7);
    MemorySurface kept(7, 7);
    CopySurface(kept, 0, 0, 7, 7, scratch.surface, 0, 0);
    FillPattern(target);
    clsBitmap big;
    Load(big, "#103", 0x000000);
    DrawBitmap(target, 0, 0, big, 0x000000, 255, scratch);
    DrawBitmap(target, 5, 3, small, 0x30C0A0, 255, scratch);
    EXPECT_EQ(scratch.surface.Width(), 7);
    for (std::int32_t y = 0; y < 7; ++y)
        for (std::int32_t x = 0; x < 7; ++x)
            EXPECT_EQ(scratch.surface.At(x, y), kept.At(x, y)) << x << "," << y;
    // The one scratch serves a larger flake too, growing once for it.
    DrawBitmap(target, 0, 0, big, 0x000000, 100, scratch);
    EXPECT_EQ(scratch.surface.Width(), 21);
    EXPECT_EQ(scratch.surface.Height(), 25);
    DrawBitmap(target, 0, 0, small, 0x30C0A0, 100, scratch);
    EXPECT_EQ(scratch.surface.Width(), 21);
}

TEST_F(DrawBitmapFixture, AnEmptyFlakeDrawsNothing) {
    const clsBitmap empty;
    MemorySurface target(4, 4), before(4, 4);
    FillPattern(target);
    FillPattern(before);
    DrawBitmap(target, 0, 0, empty, 0xFFFFFF, 255, scratch);
    DrawBitmap(target, 0, 0, empty, 0xFFFFFF, 100, scratch);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x) EXPECT_EQ(target.At(x, y), before.At(x, y));
}

std::string DotsOf(const Surface& s) {
    std::string dots;
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x)
            if (s.At(x, y) != 0) {
                EXPECT_EQ(s.At(x, y), 0xC0C0C0u);
                dots += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
            }
    return dots;
}

TEST(DrawDotPattern, GreyAtOddColumnsOfEvenRows) {
    MemorySurface small(4, 3);
    DrawDotPattern(small);
    EXPECT_EQ(DotsOf(small), "(1,0)(3,0)(1,2)(3,2)");
    MemorySurface odd(5, 4);
    DrawDotPattern(odd);
    EXPECT_EQ(DotsOf(odd), "(1,0)(3,0)(1,2)(3,2)");
    MemorySurface line(1, 1);
    DrawDotPattern(line);
    EXPECT_EQ(DotsOf(line), "");
    MemorySurface empty;
    DrawDotPattern(empty);
    EXPECT_EQ(DotsOf(empty), "");
}

TEST(ColorHelpers, ChannelsOfAColorRef) {
    EXPECT_EQ(GetRed(0x123456), 0x56u);
    EXPECT_EQ(GetGreen(0x123456), 0x34u);
    EXPECT_EQ(GetBlue(0x123456), 0x12u);
    EXPECT_EQ(GetRed(0xFFFFFF), 255u);
    EXPECT_EQ(GetGreen(0x00FF00), 255u);
    EXPECT_EQ(GetBlue(0x00FFFF), 0u);
    // Whole-number division: a top byte stays in the blue value.
    EXPECT_EQ(GetBlue(0x01FF0000), 0x1FFu);
    EXPECT_EQ(GetGreen(0x01FF0000), 0u);
}

}  // namespace
}  // namespace brumo
