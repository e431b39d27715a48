// A picture surface: width x height pixels 0x00RRGGBB, rows top-down, the
// memory layout of a 32-bit top-down DIB section. On Windows the pixels live
// in a DIB section so that GDI can draw on them too; `MemorySurface` keeps
// them in plain memory for tests and benchmarks. Every surface has a
// background colour that a resize fills it with.
#pragma once

#include <cstdint>
#include <vector>

#include "common/Rect.h"
#include "imaging/Color.h"

namespace brumo {

class Surface {
  public:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    virtual ~Surface() = default;

    // New size, filled with the background colour. False (and the surface
    // unchanged) when the pixels cannot be had.
    virtual bool Resize(std::int32_t width, std::int32_t height) = 0;

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    Pixel* Row(std::int32_t y) { return pixels_ + static_cast<std::ptrdiff_t>(y) * width_; }
    const Pixel* Row(std::int32_t y) const {
        return pixels_ + static_cast<std::ptrdiff_t>(y) * width_;
    }
    Pixel At(std::int32_t x, std::int32_t y) const { return Row(y)[x]; }
    bool Contains(std::int32_t x, std::int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }

    ColorRef BackColor() const { return backColor_; }
    void SetBackColor(ColorRef color) { backColor_ = color; }
    void Clear();  // fill with the background colour

  protected:
    void Attach(Pixel* pixels, std::int32_t width, std::int32_t height) {
        pixels_ = pixels;
        width_ = width;
        height_ = height;
    }

  private:
    Pixel* pixels_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    ColorRef backColor_ = kBlack;
};

class MemorySurface final : public Surface {
  public:
    MemorySurface() = default;
    MemorySurface(std::int32_t width, std::int32_t height) { Resize(width, height); }
    bool Resize(std::int32_t width, std::int32_t height) override;

  private:
    std::vector<Pixel> storage_;
};

// Copies a rectangle like BitBlt with SRCCOPY: the parts that lie outside
// either surface are skipped; nothing outside the destination is touched.
void CopySurface(Surface& destination, std::int32_t destX, std::int32_t destY, std::int32_t width,
                 std::int32_t height, const Surface& source, std::int32_t sourceX,
                 std::int32_t sourceY);

}  // namespace brumo
