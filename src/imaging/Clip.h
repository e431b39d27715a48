// Clipping for every drawing and copying operation on surfaces: which part of
// a width x height rectangle, copied from a source at (sourceX, sourceY) to a
// destination at (destX, destY), lies inside both, as BitBlt clips it.
// A fill (no real source) passes its own rectangle as the source.
//
// The arithmetic is 64-bit, so any 32-bit position and size is safe: a block
// at x = 2 with the largest width is cut at the surface's edge, a copy to the
// most negative x is simply empty.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/Rect.h"

namespace brumo {

// The clipped copy: every position lies inside its surface and the size is
// at least 1 x 1.
struct ClippedCopy {
    std::int32_t destX = 0;
    std::int32_t destY = 0;
    std::int32_t sourceX = 0;
    std::int32_t sourceY = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

namespace clip_detail {

struct Span {
    std::int64_t dest = 0;
    std::int64_t source = 0;
    std::int64_t length = 0;
};

// One axis: skip what lies before either surface's start, then cut at the
// nearer end.
constexpr Span ClipAxis(std::int64_t dest, std::int64_t destSize, std::int64_t source,
                        std::int64_t sourceSize, std::int64_t length) {
    const std::int64_t skip = std::max({std::int64_t{0}, -dest, -source});
    dest += skip;
    source += skip;
    length = std::min({length - skip, destSize - dest, sourceSize - source});
    return {dest, source, length};
}

}  // namespace clip_detail

// Nothing when no pixel of the copy lies inside both surfaces.
constexpr std::optional<ClippedCopy> ClipCopy(std::int32_t destX, std::int32_t destY,
                                              std::int32_t width, std::int32_t height,
                                              PictureSize dest, std::int32_t sourceX,
                                              std::int32_t sourceY, PictureSize source) {
    const clip_detail::Span x =
        clip_detail::ClipAxis(destX, dest.width, sourceX, source.width, width);
    const clip_detail::Span y =
        clip_detail::ClipAxis(destY, dest.height, sourceY, source.height, height);
    if (x.length <= 0 || y.length <= 0) return std::nullopt;
    // Inside both surfaces now, so every value fits 32 bits again.
    return ClippedCopy{static_cast<std::int32_t>(x.dest),   static_cast<std::int32_t>(y.dest),
                       static_cast<std::int32_t>(x.source), static_cast<std::int32_t>(y.source),
                       static_cast<std::int32_t>(x.length), static_cast<std::int32_t>(y.length)};
}

}  // namespace brumo
