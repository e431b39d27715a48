#include "imaging/FastDrawing.h"

#include <algorithm>
#include <optional>

#include "imaging/Clip.h"

// SSE2 is part of every x86-64 processor; 32-bit builds use it when the
// compiler is told it may.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define FAST_DRAWING_SSE2 1
#else
#define FAST_DRAWING_SSE2 0
#endif

namespace brumo {
namespace {

constexpr std::uint32_t kAlphaByte = 0xFF;
constexpr Pixel kColorKey = 0x000000;    // the colour-keyed copy skips black
constexpr Pixel kDotGrey = 0xC0C0C0;     // red, green and blue 192
constexpr std::int32_t kDotSpacing = 2;  // every other pixel and row
constexpr std::int32_t kFirstDotX = 1;

#if FAST_DRAWING_SSE2
// Four pixels at a time in one 128-bit register; the scalar loops finish the
// rows whose width is not a multiple of four and serve other processors.
constexpr std::int32_t kLanes = 4;

__m128i Load(const Pixel* pixels) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
}
void Store(Pixel* pixels, __m128i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), value);
}

// `BlendConstantAlpha` for four pixels: every byte widened to a 16-bit lane,
// where s * a + d * (255 - a) + 127 <= 65152 and the division by 255 as
// (x + 1 + (x >> 8)) >> 8 both stay inside the lane (logical shifts: the
// sums exceed the signed range).
class FourPixelBlend {
  public:
    explicit FourPixelBlend(std::uint32_t alpha)
        : alpha_(_mm_set1_epi16(static_cast<short>(alpha))),
          inverse_(_mm_set1_epi16(static_cast<short>(kAlphaByte - alpha))) {}
    __m128i operator()(__m128i source, __m128i destination) const {
        const __m128i zero = _mm_setzero_si128();
        return _mm_packus_epi16(
            Lanes(_mm_unpacklo_epi8(source, zero), _mm_unpacklo_epi8(destination, zero)),
            Lanes(_mm_unpackhi_epi8(source, zero), _mm_unpackhi_epi8(destination, zero)));
    }

  private:
    __m128i Lanes(__m128i source, __m128i destination) const {
        const __m128i sum = _mm_add_epi16(
            _mm_add_epi16(_mm_mullo_epi16(source, alpha_), _mm_mullo_epi16(destination, inverse_)),
            _mm_set1_epi16(kRounding));
        return _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(sum, _mm_set1_epi16(1)), _mm_srli_epi16(sum, kByteBits)),
            kByteBits);
    }
    static constexpr short kRounding = 127;
    static constexpr int kByteBits = 8;
    __m128i alpha_;
    __m128i inverse_;
};
#endif

// The flake's mask ANDed into a row, then its flake-on-black ORed in.
void MaskedRow(Pixel* row, const Pixel* mask, const Pixel* image, std::int32_t count) {
    std::int32_t i = 0;
#if FAST_DRAWING_SSE2
    for (; i + kLanes <= count; i += kLanes)
        Store(row + i, _mm_or_si128(_mm_and_si128(Load(row + i), Load(mask + i)), Load(image + i)));
#endif
    for (; i < count; ++i) row[i] = (row[i] & mask[i]) | image[i];
}

// One row of a translucent flake drawn with the colour key: what lies under
// the flake goes to the scratch, the flake's non-black pixels replace it
// there, and the scratch row is blended back onto the target row.
void KeyedBlendRow(Pixel* row, Pixel* scratch, const Pixel* image, std::int32_t count,
                   std::uint32_t alpha) {
    std::int32_t i = 0;
#if FAST_DRAWING_SSE2
    const FourPixelBlend blend(alpha);
    const __m128i key = _mm_set1_epi32(static_cast<int>(kColorKey));
    for (; i + kLanes <= count; i += kLanes) {
        const __m128i under = Load(row + i);
        const __m128i flake = Load(image + i);
        const __m128i keyed = _mm_cmpeq_epi32(flake, key);
        const __m128i composed =
            _mm_or_si128(_mm_and_si128(keyed, under), _mm_andnot_si128(keyed, flake));
        Store(scratch + i, composed);
        Store(row + i, blend(composed, under));
    }
#endif
    for (; i < count; ++i) {
        const Pixel under = row[i];
        const Pixel composed = image[i] != kColorKey ? image[i] : under;
        scratch[i] = composed;
        row[i] = BlendConstantAlpha(composed, under, alpha);
    }
}

// The same for black snow: the flake is composed through the mask.
void MaskedBlendRow(Pixel* row, Pixel* scratch, const Pixel* mask, const Pixel* image,
                    std::int32_t count, std::uint32_t alpha) {
    std::int32_t i = 0;
#if FAST_DRAWING_SSE2
    const FourPixelBlend blend(alpha);
    for (; i + kLanes <= count; i += kLanes) {
        const __m128i under = Load(row + i);
        const __m128i composed =
            _mm_or_si128(_mm_and_si128(under, Load(mask + i)), Load(image + i));
        Store(scratch + i, composed);
        Store(row + i, blend(composed, under));
    }
#endif
    for (; i < count; ++i) {
        const Pixel under = row[i];
        const Pixel composed = (under & mask[i]) | image[i];
        scratch[i] = composed;
        row[i] = BlendConstantAlpha(composed, under, alpha);
    }
}

bool FitScratch(BlendScratch& scratch, std::int32_t width, std::int32_t height) {
    MemorySurface& surface = scratch.surface;
    if (surface.Width() >= width && surface.Height() >= height) return true;
    return surface.Resize(std::max(surface.Width(), width), std::max(surface.Height(), height));
}

}  // namespace

void DrawBlock(Surface& target, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, ColorRef color) {
    // A fill has no source of its own: the block itself stands in for one.
    const std::optional<ClippedCopy> clip =
        ClipCopy(x, y, width, height, {target.Width(), target.Height()}, 0, 0, {width, height});
    if (!clip) return;
    const Pixel pixel = ColorRefToPixel(color);
    for (std::int32_t row = clip->destY; row < clip->destY + clip->height; ++row)
        std::fill_n(target.Row(row) + clip->destX, clip->width, pixel);
}

void DrawBitmap(Surface& target, std::int32_t x, std::int32_t y, const FlakeBitmap& flake,
                ColorRef color, std::int32_t alpha, BlendScratch& scratch) {
    const std::optional<ClippedCopy> clip =
        ClipCopy(x, y, flake.Width(), flake.Height(), {target.Width(), target.Height()}, 0, 0,
                 {flake.Width(), flake.Height()});
    if (!clip) return;
    const Surface& mask = flake.Mask();
    const Surface& image = flake.InvertImage();
    if (alpha == kOpaqueAlpha) {
        for (std::int32_t i = 0; i < clip->height; ++i) {
            const std::int32_t pictureY = clip->sourceY + i;
            MaskedRow(target.Row(clip->destY + i) + clip->destX, mask.Row(pictureY) + clip->sourceX,
                      image.Row(pictureY) + clip->sourceX, clip->width);
        }
        return;
    }
    // The scratch holds the flake's whole rectangle at (0, 0), as the blend's
    // source; only the part on the target is ever read back.
    if (!FitScratch(scratch, flake.Width(), flake.Height())) return;
    const std::uint32_t constantAlpha = static_cast<std::uint32_t>(alpha) & kAlphaByte;
    const bool colorKeyed = color != kBlack;
    for (std::int32_t i = 0; i < clip->height; ++i) {
        const std::int32_t pictureY = clip->sourceY + i;
        Pixel* row = target.Row(clip->destY + i) + clip->destX;
        Pixel* scratchRow = scratch.surface.Row(pictureY) + clip->sourceX;
        const Pixel* imageRow = image.Row(pictureY) + clip->sourceX;
        if (colorKeyed)
            KeyedBlendRow(row, scratchRow, imageRow, clip->width, constantAlpha);
        else
            MaskedBlendRow(row, scratchRow, mask.Row(pictureY) + clip->sourceX, imageRow,
                           clip->width, constantAlpha);
    }
}

void DrawDotPattern(Surface& target) {
    // Rows and columns run up to and including the height and width; the
    // last of them lies outside the surface and is clipped away.
    for (std::int32_t y = 0; y < target.Height(); y += kDotSpacing) {
        Pixel* row = target.Row(y);
        for (std::int32_t x = kFirstDotX; x < target.Width(); x += kDotSpacing) row[x] = kDotGrey;
    }
}

}  // namespace brumo
