// The drawing operations the engine runs for every flake of every frame,
// working on the surface's pixels directly. They produce exactly the pixels
// of the GDI operations they stand for, and clip at the surface's edges.
//
// The engine's flake painters call `DrawBlock` for Block flakes and
// `DrawBitmap` for picture flakes (a `FlakeBitmap` loaded once per run), with
// one `BlendScratch` kept for the whole process. The settings dialog uses
// `DrawDotPattern` and the colour helpers for its previews.
#pragma once

#include <cstdint>

#include "imaging/BlendScratch.h"
#include "imaging/Color.h"
#include "imaging/FlakeBitmap.h"
#include "imaging/Surface.h"

namespace brumo {

// A Block flake: fills the rectangle (x, y)..(x + width - 1, y + height - 1)
// with the colour, opaque, like FillRect with a solid brush.
void DrawBlock(Surface& target, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, ColorRef color);

// Draws the flake with its top-left corner at (x, y).
// Alpha 255: the mask is ANDed into the target, then the flake-on-black is
// ORed in (BitBlt SRCAND, SRCPAINT); the scratch is not used.
// Any other alpha (its low byte is the blend's constant alpha): the target's
// pixels under the flake go to the scratch, the flake is drawn onto them
// (colour-keyed copy of the flake-on-black skipping black, or for black snow
// the two mask steps, since a black flake would vanish under the key), and
// the scratch is blended back with constant alpha (AlphaBlend).
void DrawBitmap(Surface& target, std::int32_t x, std::int32_t y, const FlakeBitmap& flake,
                ColorRef color, std::int32_t alpha, BlendScratch& scratch);

// Constant-alpha blend of one pixel, every byte on its own:
// (source * alpha + destination * (255 - alpha) + 127) / 255, the rounding
// of the system's AlphaBlend with a constant source alpha. `alpha` is 0..255.
// Two bytes are worked at once in 16-bit lanes, which cannot overflow since
// 255 * 255 + 127 < 65536; x / 255 is (x + 1 + (x >> 8)) >> 8 in that range.
constexpr Pixel BlendConstantAlpha(Pixel source, Pixel destination, std::uint32_t alpha) {
    constexpr std::uint32_t kLowBytes = 0x00FF00FF;   // bytes 0 and 2
    constexpr std::uint32_t kHighBytes = 0xFF00FF00;  // bytes 1 and 3
    constexpr std::uint32_t kRounding = 0x007F007F;   // + 127 in each lane
    constexpr std::uint32_t kOnes = 0x00010001;
    const std::uint32_t inverse = 255 - alpha;
    const std::uint32_t low =
        (source & kLowBytes) * alpha + (destination & kLowBytes) * inverse + kRounding;
    const std::uint32_t high = ((source >> 8) & kLowBytes) * alpha +
                               ((destination >> 8) & kLowBytes) * inverse + kRounding;
    return (((low + kOnes + ((low >> 8) & kLowBytes)) >> 8) & kLowBytes) |
           ((high + kOnes + ((high >> 8) & kLowBytes)) & kHighBytes);
}

// The settings dialog's dot grid: grey (192, 192, 192) at every odd x of
// every even row, for x up to and including the width and y up to and
// including the height, clipped to the surface.
void DrawDotPattern(Surface& target);

// The channels of a COLORREF value (0x00BBGGRR), in whole-number arithmetic:
// value mod 256, (value / 256) mod 256, value / 65536.
constexpr std::uint32_t GetRed(ColorRef value) {
    return value % 256;
}
constexpr std::uint32_t GetGreen(ColorRef value) {
    return value / 256 % 256;
}
constexpr std::uint32_t GetBlue(ColorRef value) {
    return value / 65536;
}

}  // namespace brumo
