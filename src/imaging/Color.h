// Colours: settings hold Windows COLORREF values (0x00BBGGRR, red in the low
// byte); surfaces hold pixels 0x00RRGGBB. This is the one place that converts.
#pragma once

#include <cstdint>

namespace brumo {

using ColorRef = std::uint32_t;  // 0x00BBGGRR
using Pixel = std::uint32_t;     // 0x00RRGGBB

// The flake opacity that draws opaquely (through the mask, no blend).
inline constexpr std::int32_t kOpaqueAlpha = 255;

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;

constexpr Pixel ColorRefToPixel(ColorRef color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

constexpr ColorRef PixelToColorRef(Pixel pixel) {
    return ColorRefToPixel(pixel);
}

}  // namespace brumo
