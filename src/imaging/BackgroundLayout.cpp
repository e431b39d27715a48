#include "imaging/BackgroundLayout.h"

#include "common/Rounding.h"

namespace brumo {

namespace {
constexpr double kPercent = 100.0;
constexpr double kHalf = 2.0;
}  // namespace

std::optional<Rect> LayoutBackground(PictureSize picture, PictureSize screen, PictureFit fit) {
    if (picture.width <= 0 || picture.height <= 0) return std::nullopt;
    const double iw = picture.width;
    const double ih = picture.height;
    const double sw = screen.width;
    const double sh = screen.height;

    std::int32_t w = screen.width;
    std::int32_t h = screen.height;
    if (!fit.maximize) {
        // The height when the picture spans the full width, and the width
        // when it spans the full height; the operand order is kept so that
        // the floating-point results round the same way.
        const std::int32_t heightFit = NearestInt32(ih / iw * sw);
        const std::int32_t widthFit = NearestInt32(sh * iw / ih);
        if (screen.height >= heightFit) {
            w = screen.width;
            h = heightFit;
        } else if (screen.width >= widthFit) {
            w = widthFit;
            h = screen.height;
        } else {
            // Neither fits: only rounding can bring this about.
            w = widthFit;
            h = heightFit;
        }
        const double scale = fit.sizePercent / kPercent;
        h = NearestInt32(scale * h);
        w = NearestInt32(scale * w);
    }
    // A size setting of 0 or less, or a picture scaled below one pixel,
    // leaves nothing to place.
    if (w < 1 || h < 1) return std::nullopt;
    const std::int32_t x = NearestInt32((sw - w) / kHalf);
    const std::int32_t y = NearestInt32((sh - h) / kHalf);
    return Rect{x, y, w, h};
}

}  // namespace brumo
