#include "imaging/PictureWin32.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "imaging/PictureHeader.h"

namespace brumo {

namespace {

// GDI+ fills the unused top byte of 32-bit RGB pixels; surfaces keep it zero.
constexpr Pixel kColourBits = 0x00FFFFFF;

void ClearTopBytes(Surface& surface) {
    for (std::int32_t y = 0; y < surface.Height(); ++y) {
        Pixel* row = surface.Row(y);
        for (std::int32_t x = 0; x < surface.Width(); ++x) row[x] &= kColourBits;
    }
}

// The GDI+ drawing surface of a device context, deleted with the object.
class Graphics {
  public:
    Graphics(const GdiplusFunctions& functions, HDC dc) : functions_(functions) {
        if (functions_.CreateFromHDC(dc, &graphics_) != Gdiplus::Ok) graphics_ = nullptr;
    }
    ~Graphics() {
        if (graphics_ != nullptr) functions_.DeleteGraphics(graphics_);
    }
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    Gdiplus::GpGraphics* Get() const { return graphics_; }

  private:
    const GdiplusFunctions& functions_;
    Gdiplus::GpGraphics* graphics_ = nullptr;
};

}  // namespace

std::optional<PictureSize> ReadPictureFileSize(const std::wstring& path) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> head(kPictureHeaderBytes);
    DWORD read = 0;
    if (!ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr))
        return std::nullopt;
    head.resize(read);
    return ReadPictureSize(head);
}

std::unique_ptr<DecodedPicture> DecodedPicture::Load(const GdiplusSession& gdiplus,
                                                     const std::wstring& path) {
    const std::optional<PictureSize> claimed = ReadPictureFileSize(path);
    if (!gdiplus.Running() || !claimed || !IsDecodableSize(*claimed)) return nullptr;
    const GdiplusFunctions& f = gdiplus.Functions();
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (f.CreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok || bitmap == nullptr)
        return nullptr;
    // Owned from here on: GDI+ keeps the file open for as long as the image lives.
    auto picture = std::make_unique<DecodedPicture>(f, bitmap);
    UINT width = 0;
    UINT height = 0;
    if (f.GetImageWidth(bitmap, &width) != Gdiplus::Ok ||
        f.GetImageHeight(bitmap, &height) != Gdiplus::Ok)
        return nullptr;
    constexpr UINT kLargest = std::numeric_limits<std::int32_t>::max();
    if (width > kLargest || height > kLargest) return nullptr;
    picture->size_ =
        PictureSize{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    if (!IsDecodableSize(picture->size_)) return nullptr;
    return picture;
}

DecodedPicture::~DecodedPicture() {
    functions_.DisposeImage(bitmap_);
}

bool DecodedPicture::DrawScaled(HDC target, const Rect& placement, InterpolationMode mode) const {
    if (target == nullptr) return false;
    if (placement.width == 0 || placement.height == 0) return true;  // nothing to draw
    bool drawn = false;
    {
        const Graphics graphics(functions_, target);
        drawn = graphics.Get() != nullptr &&
                functions_.SetInterpolationMode(
                    graphics.Get(), static_cast<Gdiplus::InterpolationMode>(mode)) == Gdiplus::Ok &&
                functions_.DrawImageRectRectI(graphics.Get(), bitmap_, placement.left,
                                              placement.top, placement.width, placement.height, 0,
                                              0, size_.width, size_.height, Gdiplus::UnitPixel,
                                              nullptr, nullptr, nullptr) == Gdiplus::Ok;
    }
    // The drawing surface is gone, so GDI+ has handed everything to GDI.
    GdiFlush();
    return drawn;
}

bool DecodedPicture::DrawScaled(DibSurface& target, const Rect& placement,
                                InterpolationMode mode) const {
    const bool drawn = DrawScaled(target.Dc(), placement, mode);
    ClearTopBytes(target);
    return drawn;
}

}  // namespace brumo
