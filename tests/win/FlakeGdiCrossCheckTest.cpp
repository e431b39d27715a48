// The portable flake preparation and flake drawing against the GDI calls they
// stand for: the mask and the flake on black built the GDI way (colour to one
// bit, MERGEPAINT, SRCAND with the background colour black), the opaque draw
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
#include <vector>

#include "common/HandlesWin32.h"
#include "imaging/DibSurfaceWin32.h"
#include "imaging/FastDrawing.h"
#include "imaging/clsBitmap.h"
#include "resources/FlakePictures.h"

namespace brumo {
namespace {

constexpr std::int32_t kEnglish = 2;
constexpr int kFirstPicture = 101;
constexpr int kPictureCount = 7;
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kAlmostWhite = 0xFEFFFF;
constexpr ColorRef kSnowColors[] = {kWhite, kAlmostWhite, kRed, kBlack, 0x30C0A0};

class FailOnMessage : public MessageSink {
  public:
    void ShowMessage(const std::string& text, MessageStyle) override {
        ADD_FAILURE() << "unexpected message: " << text;
    }
};

std::string PictureName(int index) {
    return "#" + std::to_string(kFirstPicture + index);
}

void Load(clsBitmap& flake, const std::string& id, ColorRef color) {
    FailOnMessage messages;
    Language language;
    language.SetLanguage(kEnglish);
    ASSERT_TRUE(flake.SetBitmapID(0, id, color, messages, language)) << id;
}

void FillPattern(Surface& s, Pixel seed) {
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x)
            s.Row(y)[x] = (0x9E3779B1u * (seed + static_cast<Pixel>(y * s.Width() + x))) >> 8;
}

// A bitmap selected into its own memory context; the selection is undone
// before the bitmap and the context go.
struct SelectedBitmap {
    UniqueMemoryDc dc;
    UniqueBitmap bitmap;
    HGDIOBJ original = nullptr;

    SelectedBitmap(HDC compatibleWith, HBITMAP made)
        : dc(CreateCompatibleDC(compatibleWith)), bitmap(made) {
        if (dc && bitmap) original = SelectObject(dc.get(), bitmap.get());
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    ~SelectedBitmap() {
        if (original != nullptr && original != HGDI_ERROR) SelectObject(dc.get(), original);
    }
    bool Ok() const { return dc && bitmap && original != nullptr && original != HGDI_ERROR; }
};

// The flake as GDI objects made from the portable output: the mask as a real
// one-bit bitmap (bit 1 = background), the flake on black as a DIB section.
class GdiFlake {
  public:
    explicit GdiFlake(const clsBitmap& flake)
        : width_(flake.Width()), height_(flake.Height()), mask_(nullptr, MaskBitmap(flake)) {
        image_.Resize(width_, height_);
        CopySurface(image_, 0, 0, width_, height_, flake.InvertImage(), 0, 0);
    }
    bool Ok() const { return mask_.Ok() && image_.Width() == width_; }
    HDC MaskDc() const { return mask_.dc.get(); }
    HDC ImageDc() const { return image_.Dc(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    static HBITMAP MaskBitmap(const clsBitmap& flake) {
        const int stride = (flake.Width() + 15) / 16 * 2;  // rows of whole 16-bit words
        std::vector<BYTE> bits(static_cast<std::size_t>(stride) * flake.Height(), 0);
        for (std::int32_t y = 0; y < flake.Height(); ++y)
            for (std::int32_t x = 0; x < flake.Width(); ++x)
                if (flake.Mask().At(x, y) == kMaskBackground)
                    bits[static_cast<std::size_t>(y * stride + x / 8)] |=
                        static_cast<BYTE>(0x80 >> (x % 8));
        return CreateBitmap(flake.Width(), flake.Height(), 1, 1, bits.data());
    }
    int width_;
    int height_;
    SelectedBitmap mask_;
    DibSurface image_;
};

// The flake drawing the way the GDI calls do it.
void GdiDrawBitmap(DibSurface& target, int x, int y, const GdiFlake& flake, ColorRef color,
                   int alpha, DibSurface& scratch) {
    const int w = flake.Width();
    const int h = flake.Height();
    if (alpha == kOpaqueAlpha) {
        BitBlt(target.Dc(), x, y, w, h, flake.MaskDc(), 0, 0, SRCAND);
        BitBlt(target.Dc(), x, y, w, h, flake.ImageDc(), 0, 0, SRCPAINT);
    } else {
        BitBlt(scratch.Dc(), 0, 0, w, h, target.Dc(), x, y, SRCCOPY);
        if (color != kBlack) {
            TransparentBlt(scratch.Dc(), 0, 0, w, h, flake.ImageDc(), 0, 0, w, h, RGB(0, 0, 0));
        } else {
            BitBlt(scratch.Dc(), 0, 0, w, h, flake.MaskDc(), 0, 0, SRCAND);
            BitBlt(scratch.Dc(), 0, 0, w, h, flake.ImageDc(), 0, 0, SRCPAINT);
        }
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
        AlphaBlend(target.Dc(), x, y, w, h, scratch.Dc(), 0, 0, w, h, blend);
    }
    DibSurface::Flush();
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

int Differences(const Surface& a, const Surface& b) {
    int count = 0;
    for (std::int32_t y = 0; y < a.Height(); ++y)
        for (std::int32_t x = 0; x < a.Width(); ++x) count += a.At(x, y) != b.At(x, y);
    return count;
}

struct Position {
    int x, y;
};

// Inside, across each edge, across two corners and wholly outside, for a
// flake of w x h on the target.
std::vector<Position> PositionsFor(int w, int h, int targetW, int targetH) {
    return {{5, 4},
            {-w / 2, 3},
            {targetW - w / 2, 6},
            {7, -h / 2},
            {3, targetH - h / 2},
            {-w + 2, -h + 3},
            {targetW - 3, targetH - 2},
            {targetW + 2, 0},
            {0, -h}};
}

constexpr int kTargetWidth = 48;
constexpr int kTargetHeight = 40;

// Draws every picture in every snow colour at every position both ways and
// returns the largest channel difference seen.
int CompareDraws(const int alphas[], int alphaCount, int& draws) {
    int largest = 0;
    draws = 0;
    BlendScratch scratch;
    DibSurface gdiScratch;
    EXPECT_TRUE(gdiScratch.Resize(25, 25));  // the largest picture
    for (int picture = 0; picture < kPictureCount; ++picture)
        for (const ColorRef color : kSnowColors) {
            clsBitmap flake;
            Load(flake, PictureName(picture), color);
            const GdiFlake gdiFlake(flake);
            EXPECT_TRUE(gdiFlake.Ok());
            for (int a = 0; a < alphaCount; ++a)
                for (const Position p :
                     PositionsFor(flake.Width(), flake.Height(), kTargetWidth, kTargetHeight)) {
                    DibSurface ours, gdi;
                    EXPECT_TRUE(ours.Resize(kTargetWidth, kTargetHeight));
                    EXPECT_TRUE(gdi.Resize(kTargetWidth, kTargetHeight));
                    const Pixel seed = static_cast<Pixel>(picture * 1000 + a * 100 + p.x + p.y);
                    FillPattern(ours, seed);
                    FillPattern(gdi, seed);
                    DrawBitmap(ours, p.x, p.y, flake, color, alphas[a], scratch);
                    GdiDrawBitmap(gdi, p.x, p.y, gdiFlake, color, alphas[a], gdiScratch);
                    const int difference = LargestChannelDifference(ours, gdi);
                    largest = std::max(largest, difference);
                    ++draws;
                    if (alphas[a] == kOpaqueAlpha)
                        EXPECT_EQ(Differences(ours, gdi), 0)
                            << PictureName(picture) << " colour " << std::hex << color << std::dec
                            << " at " << p.x << "," << p.y;
                    else
                        EXPECT_LE(difference, 1)
                            << PictureName(picture) << " colour " << std::hex << color << std::dec
                            << " alpha " << alphas[a] << " at " << p.x << "," << p.y;
                }
        }
    return largest;
}

TEST(FlakeGdiCrossCheck, OpaqueDrawEqualsBitBltAndOrWithTheMask) {
    const int alphas[] = {kOpaqueAlpha};
    int draws = 0;
    EXPECT_EQ(CompareDraws(alphas, 1, draws), 0);
    EXPECT_EQ(draws, kPictureCount * 5 * 9);
}

TEST(FlakeGdiCrossCheck, TranslucentDrawFollowsTransparentBltAndAlphaBlend) {
    const int alphas[] = {0, 1, 64, 128, 192, 254};
    int draws = 0;
    const int largest = CompareDraws(alphas, 6, draws);
    EXPECT_LE(largest, 1);
    std::printf("[ INFO     ] largest channel difference against AlphaBlend over %d draws: %d\n",
                draws, largest);
    RecordProperty("LargestBlendDifference", largest);
}

// The picture as the resources hand it over (LoadImage without flags): a
// black-and-white palette picture turned into a bitmap of the display's format.
HBITMAP LoadedPictureBitmap(const FlakePicture& picture) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = picture.Width();
    info.header.biHeight = -picture.Height();
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 2;
    info.colors[0] = RGBQUAD{0, 0, 0, 0};
    info.colors[1] = RGBQUAD{255, 255, 255, 0};
    const int stride = (picture.Width() + 3) / 4 * 4;
    std::vector<BYTE> bits(static_cast<std::size_t>(stride) * picture.Height(), 1);
    for (std::int32_t y = 0; y < picture.Height(); ++y)
        for (std::int32_t x = 0; x < picture.Width(); ++x)
            if (picture.IsFlakePixel(x, y)) bits[static_cast<std::size_t>(y * stride + x)] = 0;
    const WindowDc screen(nullptr);
    return CreateDIBitmap(screen.Get(), &info.header, CBM_INIT, bits.data(),
                          reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
}

// Recolouring pixel by pixel and the copy into a new display-format bitmap.
HBITMAP GdiColorPicture(HBITMAP picture, int w, int h, ColorRef color) {
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return nullptr;
    const SelectedObject selected(dc.get(), picture);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF pixel = GetPixel(dc.get(), x, y);
            if (pixel != kWhite)
                SetPixel(dc.get(), x, y, color);
            else if (color == kWhite)
                SetPixel(dc.get(), x, y, kBlack);
        }
    const UniqueMemoryDc display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    SelectedBitmap copy(display.get(), CreateCompatibleBitmap(display.get(), w, h));
    if (!copy.Ok()) return nullptr;
    BitBlt(copy.dc.get(), 0, 0, w, h, dc.get(), 0, 0, SRCCOPY);
    SelectObject(copy.dc.get(), copy.original);
    copy.original = nullptr;
    return copy.bitmap.release();
}

TEST(FlakeGdiCrossCheck, MaskAndImagesEqualTheGdiPreparation) {
    for (int index = 0; index < kPictureCount; ++index)
        for (const ColorRef color : {kWhite, kAlmostWhite, kRed, kBlack}) {
            const std::string name = PictureName(index);
            const FlakePicture* picture = FindFlakePicture(name);
            ASSERT_NE(picture, nullptr);
            const int w = picture->Width();
            const int h = picture->Height();
            const UniqueBitmap loaded(LoadedPictureBitmap(*picture));
            ASSERT_TRUE(loaded);
            SelectedBitmap image(nullptr, GdiColorPicture(loaded.get(), w, h, color));
            ASSERT_TRUE(image.Ok());
            SelectedBitmap invert(nullptr, CreateCompatibleBitmap(image.dc.get(), w, h));
            ASSERT_TRUE(invert.Ok());
            const UniqueMemoryDc maskDc(CreateCompatibleDC(nullptr));
            SelectedBitmap mask(nullptr, CreateCompatibleBitmap(maskDc.get(), w, h));
            ASSERT_TRUE(mask.Ok());
            BITMAP maskInfo{};
            ASSERT_NE(GetObjectW(mask.bitmap.get(), sizeof maskInfo, &maskInfo), 0);
            EXPECT_EQ(maskInfo.bmBitsPixel, 1);
            ASSERT_TRUE(BitBlt(invert.dc.get(), 0, 0, w, h, image.dc.get(), 0, 0, SRCCOPY));
            ASSERT_TRUE(BitBlt(mask.dc.get(), 0, 0, w, h, image.dc.get(), 0, 0,
                               color == kWhite ? MERGEPAINT : SRCCOPY));
            ASSERT_NE(SetBkColor(invert.dc.get(), kBlack), CLR_INVALID);
            ASSERT_NE(SetTextColor(invert.dc.get(), kWhite), CLR_INVALID);
            ASSERT_TRUE(BitBlt(invert.dc.get(), 0, 0, w, h, mask.dc.get(), 0, 0, SRCAND));

            clsBitmap flake;
            Load(flake, name, color);
            ASSERT_EQ(flake.Width(), w);
            ASSERT_EQ(flake.Height(), h);
            int maskDiffs = 0, imageDiffs = 0, invertDiffs = 0, background = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const COLORREF gdiMask = GetPixel(mask.dc.get(), x, y);
                    background += gdiMask == kWhite;
                    maskDiffs += gdiMask != PixelToColorRef(flake.Mask().At(x, y));
                    imageDiffs +=
                        GetPixel(image.dc.get(), x, y) != PixelToColorRef(flake.Image().At(x, y));
                    invertDiffs += GetPixel(invert.dc.get(), x, y) !=
                                   PixelToColorRef(flake.InvertImage().At(x, y));
                }
            EXPECT_EQ(maskDiffs, 0) << name << " colour " << std::hex << color;
            EXPECT_EQ(imageDiffs, 0) << name << " colour " << std::hex << color;
            EXPECT_EQ(invertDiffs, 0) << name << " colour " << std::hex << color;
            EXPECT_GT(background, 0) << name;
            EXPECT_LT(background, w * h) << name;
        }
}

TEST(FlakeGdiCrossCheck, DotPatternEqualsSetPixelUpToTheEdges) {
    for (const SIZE size : {SIZE{4, 3}, SIZE{7, 6}, SIZE{1, 1}}) {
        DibSurface ours, gdi;
        ASSERT_TRUE(ours.Resize(size.cx, size.cy));
        ASSERT_TRUE(gdi.Resize(size.cx, size.cy));
        DrawDotPattern(ours);
        for (int y = 0; y <= size.cy; y += 2)
            for (int x = 1; x <= size.cx; x += 2) SetPixel(gdi.Dc(), x, y, RGB(192, 192, 192));
        DibSurface::Flush();
        EXPECT_EQ(Differences(ours, gdi), 0) << size.cx << " x " << size.cy;
    }
}

}  // namespace
}  // namespace brumo
