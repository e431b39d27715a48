#include "imaging/PixelRows.h"

// SSE2 is part of every x86-64 processor; 32-bit builds use it when the
// compiler is told it may. BRUMO_NO_SIMD leaves the plain loops alone at work.
#if !defined(BRUMO_NO_SIMD) && \
    (defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2))
#include <emmintrin.h>
#define PIXEL_ROWS_SSE2 1
#else
#define PIXEL_ROWS_SSE2 0
#endif

namespace brumo {
namespace {

constexpr Pixel kColorKey = 0x000000;     // the colour-keyed copy skips black
constexpr std::int32_t kLinePixels = 16;  // pixels of a 64-byte cache line

#if PIXEL_ROWS_SSE2
constexpr std::int32_t kLanes = 4;
constexpr int kAllBytes = 0xFFFF;  // _mm_movemask_epi8 of a register of all ones

__m128i Load(const Pixel* pixels) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
}
void Store(Pixel* pixels, __m128i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), value);
}

// `BlendConstantAlpha` for four pixels: every byte widened to a 16-bit lane,
// where s * a + d * (255 - a) + 127 <= 65152 stays inside the lane, and
// x / 255 is (x * 0x8081) >> 23 for every such x: the high half of an
// unsigned 16-bit product, shifted by 7.
class FourPixelBlend {
  public:
    explicit FourPixelBlend(std::uint32_t alpha)
        : alpha_(_mm_set1_epi16(static_cast<short>(alpha))),
          inverse_(_mm_set1_epi16(static_cast<short>(kMaxAlpha - alpha))) {}
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
        return _mm_srli_epi16(_mm_mulhi_epu16(sum, _mm_set1_epi16(kReciprocal)), kReciprocalShift);
    }
    static constexpr std::uint32_t kMaxAlpha = 255;
    static constexpr short kRounding = 127;
    static constexpr short kReciprocal = static_cast<short>(0x8081);  // 2^23 / 255, rounded up
    static constexpr int kReciprocalShift = 7;                        // 23 - 16
    __m128i alpha_;
    __m128i inverse_;
};

// The whole groups of four pixels of a row; answers how many pixels it did.
std::int32_t WorkFourAtATime(RowWork work, Pixel* row, const RowInputs& in, std::int32_t count) {
    const std::int32_t done = count - count % kLanes;
    const FourPixelBlend blend(in.alpha);
    for (std::int32_t i = 0; i < done; i += kLanes) {
        if (work == RowWork::Copy) {
            Store(row + i, Load(in.source + i));
            continue;
        }
        const __m128i flake = Load(in.image + i);
        const __m128i keyed = _mm_cmpeq_epi32(flake, _mm_set1_epi32(static_cast<int>(kColorKey)));
        if (work == RowWork::KeyedBlend && _mm_movemask_epi8(keyed) == kAllBytes) continue;
        const __m128i under = Load(row + i);
        const __m128i composed =
            work == RowWork::KeyedBlend
                ? _mm_or_si128(_mm_and_si128(keyed, under), _mm_andnot_si128(keyed, flake))
                : _mm_or_si128(_mm_and_si128(under, Load(in.source + i)), flake);
        if (work == RowWork::Masked) {
            Store(row + i, composed);
            continue;
        }
        Store(in.scratch + i, composed);
        Store(row + i, blend(composed, under));
    }
    return done;
}
#endif

}  // namespace

void WorkRow(RowWork work, Pixel* row, const RowInputs& inputs, std::int32_t count) {
    std::int32_t i = 0;
#if PIXEL_ROWS_SSE2
    i = WorkFourAtATime(work, row, inputs, count);
#endif
    for (; i < count; ++i) {
        if (work == RowWork::Copy) {
            row[i] = inputs.source[i];
            continue;
        }
        const Pixel under = row[i];
        const Pixel flake = inputs.image[i];
        if (work == RowWork::KeyedBlend && flake == kColorKey) continue;
        const Pixel composed =
            work == RowWork::KeyedBlend ? flake : (under & inputs.source[i]) | flake;
        if (work == RowWork::Masked) {
            row[i] = composed;
            continue;
        }
        inputs.scratch[i] = composed;
        row[i] = BlendConstantAlpha(composed, under, inputs.alpha);
    }
}

void PrefetchRows(const Pixel* first, std::int32_t count, std::int32_t rows, std::int32_t stride) {
#if defined(__GNUC__) || defined(__clang__)
    if (count <= 0) return;
    for (std::int32_t r = 0; r < rows; ++r) {
        const Pixel* row = first + static_cast<std::ptrdiff_t>(r) * stride;
        for (std::int32_t x = 0; x < count; x += kLinePixels) __builtin_prefetch(row + x);
        __builtin_prefetch(row + count - 1);  // the line the row ends in
    }
#else
    (void)first, (void)count, (void)rows, (void)stride, (void)kLinePixels;
#endif
}

}  // namespace brumo
