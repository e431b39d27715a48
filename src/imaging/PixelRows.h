// The one place where pixels are worked on several at a time: a row copied
// from another surface, or a row of a flake combined with the row of its
// target (mask AND + image OR, or composed and blended with constant alpha).
// Where the processor has SSE2 (every x86-64) four pixels go at once; the
// plain loop finishes each row and is the whole routine elsewhere, with the
// same results. Beside it, the hint that asks the processor to fetch rows a
// later draw will need, so that their memory latency overlaps other work.
#pragma once

#include <cstdint>

#include "imaging/Color.h"

namespace brumo {

enum class RowWork {
    Copy,         // row = source
    Masked,       // row = (row & mask) | image
    KeyedBlend,   // composed = image unless it is black, else row; then blended
    MaskedBlend,  // composed = (row & mask) | image; then blended
};

struct RowInputs {
    const Pixel* source = nullptr;  // Copy: the pixels copied; otherwise the flake's mask
    const Pixel* image = nullptr;   // the flake on black
    Pixel* scratch = nullptr;       // blends: gets the composed pixels
    std::uint32_t alpha = 0;        // blends: the constant alpha, 0..255
};

// `count` pixels of `row`; a copy's source must not overlap the row. A
// keyed blend leaves pixels (and their scratch) alone where the flake has no
// pixel: blending a pixel with itself gives it back unchanged.
void WorkRow(RowWork work, Pixel* row, const RowInputs& inputs, std::int32_t count);

// Asks for `count` pixels from `first` of each of `rows` rows, `stride`
// pixels apart, to be brought into the cache. Only a hint: it reads nothing.
void PrefetchRows(const Pixel* first, std::int32_t count, std::int32_t rows, std::int32_t stride);

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

}  // namespace brumo
