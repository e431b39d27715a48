// The portable flake drawing against the GDI calls it stands for: the opaque draw
// as BitBlt SRCAND + SRCPAINT (pixels must be equal), the translucent draw as
// BitBlt to a scratch, TransparentBlt with key black (or the two mask steps
// for black snow) and AlphaBlend with constant alpha (within 1 per channel;
// the largest difference seen is printed).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/HandlesWin32.h"
#include "imaging/DibSurfaceWin32.h"
#include "imaging/FastDrawing.h"
#include "imaging/FlakeBitmap.h"

namespace brumo {
namespace {

constexpr std::int32_t kEnglish = 2;
constexpr int kFirstPicture = 101;
constexpr int kPictureCount = 7;
constexpr int kLargestPicture = 25;
constexpr int kTargetWidth = 48;
constexpr int kTargetHeight = 40;
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kSnowColors[] = {kWhite, 0xFEFFFF, kRed, kBlack};

class FailOnMessage : public MessageSink {
  public:
    void ShowMessage(const std::string& text, MessageStyle) override {
        ADD_FAILURE() << "unexpected message: " << text;
    }
};

std::string PictureName(int index) {
    return "#" + std::to_string(kFirstPicture + index);
}

void Load(FlakeBitmap& flake, const std::string& id, ColorRef color) {
    FailOnMessage messages;
    Language language;
    language.SetLanguage(kEnglish);
    ASSERT_TRUE(flake.SetBitmapID(0, id, color, messages, language)) << id;
}

// A bitmap selected into a memory context of its own while it lives.
struct MemoryBitmap {
    explicit MemoryBitmap(HBITMAP made)
        : dc(CreateCompatibleDC(nullptr)), bitmap(made), selected(dc.get(), made) {}
    bool Ok() const { return dc && bitmap; }
    UniqueMemoryDc dc;
    UniqueBitmap bitmap;
    SelectedObject selected;
};

// The flake as GDI objects made from the portable output: the mask as a real
// one-bit bitmap (bit 1 = background), the flake on black as a DIB section.
struct GdiFlake {
    explicit GdiFlake(const FlakeBitmap& flake)
        : w(flake.Width()), h(flake.Height()), mask(CreateBitmap(w, h, 1, 1, nullptr)) {
        // Colour to one bit: the background colour white gives bit 1.
        image.Resize(w, h);
        CopySurface(image, 0, 0, w, h, flake.Mask(), 0, 0);
        BitBlt(mask.dc.get(), 0, 0, w, h, image.Dc(), 0, 0, SRCCOPY);
        DibSurface::Flush();
        CopySurface(image, 0, 0, w, h, flake.InvertImage(), 0, 0);
    }
    // The mask steps: the background kept where the mask bit is 1, the flake
    // on black ORed in.
    void Paint(HDC dc, int x, int y) const {
        BitBlt(dc, x, y, w, h, mask.dc.get(), 0, 0, SRCAND);
        BitBlt(dc, x, y, w, h, image.Dc(), 0, 0, SRCPAINT);
    }
    // The flake drawing the way the GDI calls do it.
    void Draw(DibSurface& target, int x, int y, ColorRef color, int alpha,
              DibSurface& scratch) const {
        if (alpha == kOpaqueAlpha) {
            Paint(target.Dc(), x, y);
        } else {
            BitBlt(scratch.Dc(), 0, 0, w, h, target.Dc(), x, y, SRCCOPY);
            if (color != kBlack)
                TransparentBlt(scratch.Dc(), 0, 0, w, h, image.Dc(), 0, 0, w, h, RGB(0, 0, 0));
            else
                Paint(scratch.Dc(), 0, 0);
            AlphaBlend(target.Dc(), x, y, w, h, scratch.Dc(), 0, 0, w, h,
                       BLENDFUNCTION{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0});
        }
        DibSurface::Flush();
    }
    int w;
    int h;
    MemoryBitmap mask;
    DibSurface image;
};

void FillPattern(Surface& s, Pixel seed) {
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x)
            s.Row(y)[x] = (0x9E3779B1u * (seed + static_cast<Pixel>(y * s.Width() + x))) >> 8;
}

int LargestChannelDifference(const Surface& a, const Surface& b) {
    int largest = 0;
    for (std::int32_t y = 0; y < a.Height(); ++y)
        for (std::int32_t x = 0; x < a.Width(); ++x)
            for (int shift = 0; shift < 32; shift += 8)
                largest =
                    std::max(largest, std::abs(static_cast<int>((a.At(x, y) >> shift) & 0xFF) -
                                               static_cast<int>((b.At(x, y) >> shift) & 0xFF)));
    return largest;
}

// Every picture in every snow colour at every alpha, inside, across each
// edge, across two corners and wholly outside the target, drawn both ways.
TEST(FlakeGdiCrossCheck, DrawsEqualBitBltTransparentBltAndAlphaBlend) {
    int largest = 0;
    BlendScratch scratch;
    DibSurface gdiScratch;
    ASSERT_TRUE(gdiScratch.Resize(kLargestPicture, kLargestPicture));
    for (int picture = 0; picture < kPictureCount; ++picture)
        for (const ColorRef color : kSnowColors) {
            FlakeBitmap flake;
            Load(flake, PictureName(picture), color);
            const GdiFlake gdiFlake(flake);
            ASSERT_TRUE(gdiFlake.mask.Ok());
            const int w = flake.Width(), h = flake.Height();
            const int xs[] = {5,      -w / 2,           kTargetWidth - w / 2, 7, 3,
                              -w + 2, kTargetWidth - 3, kTargetWidth + 2,     0};
            const int ys[] = {4, 3, 6, -h / 2, kTargetHeight - h / 2, -h + 3, kTargetHeight - 2,
                              0, -h};
            for (const int alpha : {kOpaqueAlpha, 0, 1, 64, 128, 192, 254})
                for (std::size_t at = 0; at < std::size(xs); ++at) {
                    const int x = xs[at], y = ys[at];
                    DibSurface ours, gdi;
                    ASSERT_TRUE(ours.Resize(kTargetWidth, kTargetHeight));
                    ASSERT_TRUE(gdi.Resize(kTargetWidth, kTargetHeight));
                    const Pixel seed = static_cast<Pixel>(picture * 1000 + alpha + x + y);
                    FillPattern(ours, seed);
                    FillPattern(gdi, seed);
                    DrawBitmap(ours, x, y, flake, color, alpha, scratch);
                    gdiFlake.Draw(gdi, x, y, color, alpha, gdiScratch);
                    const int difference = LargestChannelDifference(ours, gdi);
                    EXPECT_LE(difference, alpha == kOpaqueAlpha ? 0 : 1)
                        << PictureName(picture) << " colour " << std::hex << color << std::dec
                        << " alpha " << alpha << " at " << x << "," << y;
                    if (alpha != kOpaqueAlpha) largest = std::max(largest, difference);
                }
        }
    std::printf("[ INFO     ] largest channel difference against AlphaBlend: %d\n", largest);
    RecordProperty("LargestBlendDifference", largest);
}

}  // namespace
}  // namespace brumo
