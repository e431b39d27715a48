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
#include "imaging/PixelRows.h"
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
// the scratch is blended back with constant alpha (AlphaBlend). With the
// colour key, pixels where the flake has none are skipped: blended with
// themselves they come back unchanged.
void DrawBitmap(Surface& target, std::int32_t x, std::int32_t y, const FlakeBitmap& flake,
                ColorRef color, std::int32_t alpha, BlendScratch& scratch);

// Asks for the pixels of the rectangle (clipped to the target) to be
// brought into the cache, ahead of a draw there.
void PrefetchFlake(const Surface& target, std::int32_t x, std::int32_t y, std::int32_t width,
                   std::int32_t height);

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
