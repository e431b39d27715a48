// The see-through sticker: a picture laid over a copy of what lies behind it,
// with one colour (white for the update panel's wait box) left out so the
// background shows through. The copy is done here in software, with exactly
// the pixels of the classic mask-and-XOR blit: a destination pixel stays
// wherever the source pixel equals the see-through colour, and takes the
// source pixel everywhere else.
#pragma once

#include <cstdint>

#include "common/Rect.h"
#include "imaging/Color.h"
#include "imaging/Surface.h"

namespace brumo {

inline constexpr ColorRef kSeeThroughWhite = 0xFFFFFF;

// Copies `sourceRect` of `source` to (`x`, `y`) of `destination`, leaving the
// destination pixel wherever the source pixel is exactly `seeThrough`. Parts
// outside either surface are skipped; nothing outside the destination is
// touched.
void TransparentCopy(Surface& destination, const Surface& source, Rect sourceRect, std::int32_t x,
                     std::int32_t y, ColorRef seeThrough);

}  // namespace brumo
