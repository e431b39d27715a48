#include "imaging/PictureWin32.h"

#include <gdiplus.h>

#include <limits>
#include <memory>

namespace brumo {

namespace {

namespace gp = Gdiplus::DllExports;

struct ImageDisposer {
    void operator()(Gdiplus::GpImage* image) const { gp::GdipDisposeImage(image); }
};
struct GraphicsDeleter {
    void operator()(Gdiplus::GpGraphics* graphics) const { gp::GdipDeleteGraphics(graphics); }
};
using UniqueGpBitmap = std::unique_ptr<Gdiplus::GpBitmap, ImageDisposer>;
using UniqueGpGraphics = std::unique_ptr<Gdiplus::GpGraphics, GraphicsDeleter>;

constexpr INT kBytesPerPixel = 4;
// GDI+ fills the unused top byte of 32-bit RGB pixels; surfaces keep it zero.
constexpr Pixel kColourBits = 0x00FFFFFF;

void ClearTopBytes(Surface& surface) {
    for (std::int32_t y = 0; y < surface.Height(); ++y) {
        Pixel* row = surface.Row(y);
        for (std::int32_t x = 0; x < surface.Width(); ++x) row[x] &= kColourBits;
    }
}

// Bytes per row of a surface as GDI+ sees it, or 0 when that does not fit.
INT StrideOf(std::int32_t width) {
    if (width <= 0 || width > std::numeric_limits<INT>::max() / kBytesPerPixel) return 0;
    return width * kBytesPerPixel;
}

}  // namespace

GdiplusSession::GdiplusSession() {
    const Gdiplus::GdiplusStartupInput input;  // version 1, no callback, nothing suppressed
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
    if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

bool LoadPictureFile(const std::wstring& path, Surface& holder) {
    Gdiplus::GpBitmap* raw = nullptr;
    if (gp::GdipCreateBitmapFromFile(path.c_str(), &raw) != Gdiplus::Ok || raw == nullptr)
        return false;
    // Released at once: GDI+ keeps the file open for as long as the image lives.
    const UniqueGpBitmap picture(raw);
    UINT width = 0;
    UINT height = 0;
    if (gp::GdipGetImageWidth(picture.get(), &width) != Gdiplus::Ok ||
        gp::GdipGetImageHeight(picture.get(), &height) != Gdiplus::Ok)
        return false;
    constexpr UINT kLargest = std::numeric_limits<std::int32_t>::max();
    if (width == 0 || height == 0 || width > kLargest || height > kLargest) return false;
    const auto w = static_cast<std::int32_t>(width);
    const auto h = static_cast<std::int32_t>(height);
    const INT stride = StrideOf(w);
    if (stride == 0 || !holder.Resize(w, h)) return false;

    // The decoder converts straight into the holder's pixels.
    Gdiplus::BitmapData data{};
    data.Width = width;
    data.Height = height;
    data.Stride = stride;
    data.PixelFormat = PixelFormat32bppRGB;
    data.Scan0 = holder.Row(0);
    const Gdiplus::GpRect whole{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
    if (gp::GdipBitmapLockBits(picture.get(), &whole,
                               Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                               PixelFormat32bppRGB, &data) != Gdiplus::Ok)
        return false;
    const bool unlocked = gp::GdipBitmapUnlockBits(picture.get(), &data) == Gdiplus::Ok;
    ClearTopBytes(holder);
    return unlocked;
}

bool DrawImageScaled(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     const Surface& source, HDC target, InterpolationMode mode) {
    const INT stride = StrideOf(source.Width());
    if (target == nullptr || stride == 0 || source.Height() <= 0) return false;
    if (width == 0 || height == 0) return true;  // nothing to draw

    // GDI+ only reads the pixels it wraps here; it never writes them.
    auto* pixels = reinterpret_cast<BYTE*>(const_cast<Pixel*>(source.Row(0)));
    Gdiplus::GpBitmap* rawBitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(source.Width(), source.Height(), stride, PixelFormat32bppRGB,
                                      pixels, &rawBitmap) != Gdiplus::Ok ||
        rawBitmap == nullptr)
        return false;
    const UniqueGpBitmap bitmap(rawBitmap);

    bool drawn = false;
    {
        Gdiplus::GpGraphics* rawGraphics = nullptr;
        if (gp::GdipCreateFromHDC(target, &rawGraphics) != Gdiplus::Ok || rawGraphics == nullptr)
            return false;
        const UniqueGpGraphics graphics(rawGraphics);
        drawn = gp::GdipSetInterpolationMode(
                    graphics.get(), static_cast<Gdiplus::InterpolationMode>(mode)) == Gdiplus::Ok &&
                gp::GdipDrawImageRectRectI(graphics.get(), bitmap.get(), x, y, width, height, 0, 0,
                                           source.Width(), source.Height(), Gdiplus::UnitPixel,
                                           nullptr, nullptr, nullptr) == Gdiplus::Ok;
    }
    // The drawing surface is gone, so GDI+ has handed everything to GDI.
    GdiFlush();
    return drawn;
}

bool DrawImageScaled(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     const Surface& source, DibSurface& target, InterpolationMode mode) {
    const bool drawn = DrawImageScaled(x, y, width, height, source, target.Dc(), mode);
    ClearTopBytes(target);
    return drawn;
}

}  // namespace brumo
