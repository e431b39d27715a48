// Sizes and rectangles in pixels; a rectangle is its top-left corner and its
// size. Windows' own rectangles (left, top, right, bottom) are converted at
// the adapters.
#pragma once

#include <cstdint>

namespace brumo {

// A width and height in pixels (a picture's, a surface's).
struct PictureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const PictureSize&) const = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Rect&) const = default;
};

}  // namespace brumo
