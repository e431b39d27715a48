// Where a background picture lies on the screen: stretched over the whole
// surface, or kept in proportion, scaled by the size setting and centred, on
// the image surface's background colour.
#pragma once

#include <cstdint>
#include <optional>

#include "imaging/Surface.h"

namespace brumo {

// How the stored settings fit a picture to the screen.
struct PictureFit {
    bool maximize = false;         // stretch to the whole surface
    std::int32_t sizePercent = 0;  // per cent of the proportional size
};

// GDI+ interpolation modes, numbered as GdipSetInterpolationMode takes them.
enum class InterpolationMode : std::int32_t {
    HighQualityBicubic = 7,
};

// The background picture is always scaled with this mode.
constexpr InterpolationMode kBackgroundInterpolation = InterpolationMode::HighQualityBicubic;

// The rectangle the picture covers on a surface of size `screen`, or nothing
// when the picture has no pixels or its placement would be narrower or lower
// than one pixel (a size setting of 0 or less, say).
std::optional<Rect> LayoutBackground(PictureSize picture, PictureSize screen, PictureFit fit);

}  // namespace brumo
