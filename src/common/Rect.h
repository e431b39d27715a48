// A rectangle in pixels: its top-left corner and its size. Windows' own
// rectangles (left, top, right, bottom) are converted at the adapters.
#pragma once

#include <cstdint>

namespace brumo {

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Rect&) const = default;
};

}  // namespace brumo
