// The portable flake drawing against the GDI calls it stands for (mask
// steps, colour key, AlphaBlend, the sticker's colour-keyed copy), on DIB
// sections.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "GdiFlake.h"
#include "ObjectCounts.h"
#include "common/HandlesWin32.h"
#include "imaging/FastDrawing.h"
#include "imaging/Snapshot.h"

namespace brumo {
namespace {

constexpr int kWidth = 48, kHeight = 40, kPictures = 7;

class FailOnMessage : public MessageSink {
    void ShowMessage(const std::string& text, MessageStyle) override { ADD_FAILURE() << text; }
};

// Two targets with the same pattern, one drawn on our way, one GDI's way.
struct Canvas {
    Canvas() {
        static Pixel seed = 0;
        seed += 977;
        for (DibSurface* s : {&ours, &gdi}) {
            s->Resize(kWidth, kHeight);
            for (std::int32_t i = 0; i < kWidth * kHeight; ++i)
                s->Row(i / kWidth)[i % kWidth] =
                    (0x9E3779B1u * (seed + static_cast<Pixel>(i))) >> 8;
        }
    }
    int LargestChannelDifference() const {
        DibSurface::Flush();
        int largest = 0;
        for (std::int32_t i = 0; i < kWidth * kHeight; ++i)
            for (int shift = 0; shift < 32; shift += 8)
                largest = std::max(largest, std::abs(static_cast<int>(Of(ours, i) >> shift & 0xFF) -
                                                     static_cast<int>(Of(gdi, i) >> shift & 0xFF)));
        return largest;
    }
    static Pixel Of(const DibSurface& s, std::int32_t i) { return s.At(i % kWidth, i / kWidth); }
    DibSurface ours, gdi;
};

// Opaque drawing gives equal pixels, blending may differ by 1 per channel.
TEST(GdiCrossCheck, OpaqueBlendedAndColourKeyedFlakesEqualTheGdiCalls) {
    const Language language;
    FailOnMessage messages;
    BlendScratch scratch;
    for (std::int32_t picture = 0; picture < kPictures; ++picture)
        for (const ColorRef color : {kWhite, 0xFEFFFFu, 0x0000FFu, kBlack}) {
            FlakeBitmap flake;
            const std::string id = "#" + std::to_string(101 + picture);
            ASSERT_TRUE(flake.SetBitmapID(0, id, color, messages, language)) << id;
            GdiFlake gdiFlake(flake);
            const int w = flake.Width(), h = flake.Height();
            // Inside, across each edge, across two corners and wholly outside.
            const int xs[] = {5, -w / 2, kWidth - w / 2, 7, 3, -w + 2, kWidth - 3, kWidth + 2, 0};
            const int ys[] = {4, 3, 6, -h / 2, kHeight - h / 2, -h + 3, kHeight - 2, 0, -h};
            for (const int alpha : {kOpaqueAlpha, 0, 1, 64, 128, 192, 254})
                for (std::size_t at = 0; at < std::size(xs); ++at) {
                    Canvas c;
                    DrawBitmap(c.ours, xs[at], ys[at], flake, color, alpha, scratch);
                    gdiFlake.Draw(c.gdi.Dc(), xs[at], ys[at], color, alpha);
                    EXPECT_LE(c.LargestChannelDifference(), alpha == kOpaqueAlpha ? 0 : 1)
                        << id << " colour " << color << " alpha " << alpha << " at " << xs[at]
                        << "," << ys[at];
                }
        }
}

// The sticker's copy against GDI's colour-keyed blit: whites one step off,
// COLORREF red as a key, and other colours, inside and across the edges.
TEST(GdiCrossCheck, TransparentCopyEqualsTransparentBlt) {
    const Pixel kinds[] = {0xFFFFFF, 0xFEFFFF, 0xFFFEFF, 0xFFFFFE, 0xFF0000, 0x0000FF, 0x123456};
    DibSurface source;
    ASSERT_TRUE(source.Resize(9, 7));
    for (std::int32_t i = 0; i < 9 * 7; ++i) source.Row(i / 9)[i % 9] = kinds[i % 7];
    for (const ColorRef key : {kSeeThroughWhite, ColorRef{0x0000FF}})
        for (const auto& [x, y] : {std::pair{5, 4}, {-3, 2}, {kWidth - 4, kHeight - 3}}) {
            Canvas c;
            TransparentCopy(c.ours, source, Rect{2, 1, 6, 5}, x, y, key);
            TransparentBlt(c.gdi.Dc(), x, y, 6, 5, source.Dc(), 2, 1, 6, 5, key);
            EXPECT_EQ(c.LargestChannelDifference(), 0) << "key " << key << " at " << x << "," << y;
        }
}

TEST(GdiCrossCheck, ResizingKeepsNoGdiObjects) {
    DibSurface s;
    ASSERT_TRUE(s.Resize(4, 3));
    // The counter is trusted only once it is seen to move.
    const std::size_t before = CountGdiObjects();
    {
        const UniqueBrush brush(CreateSolidBrush(0));
        ASSERT_EQ(CountGdiObjects(), before + 1);
    }
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(s.Resize(64 + i, 48));
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
}  // namespace brumo
