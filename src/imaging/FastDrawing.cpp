#include "imaging/FastDrawing.h"

#include <algorithm>
#include <optional>

#include "imaging/Clip.h"
#include "imaging/PixelRows.h"

namespace brumo {
namespace {

constexpr std::uint32_t kAlphaByte = 0xFF;
constexpr Pixel kDotGrey = 0xC0C0C0;     // red, green and blue 192
constexpr std::int32_t kDotSpacing = 2;  // every other pixel and row
constexpr std::int32_t kFirstDotX = 1;

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
    RowWork work = RowWork::Masked;
    if (alpha != kOpaqueAlpha) {
        // The scratch holds the flake's whole rectangle at (0, 0), as the
        // blend's source; only the part on the target is ever read back.
        if (!FitScratch(scratch, flake.Width(), flake.Height())) return;
        work = color != kBlack ? RowWork::KeyedBlend : RowWork::MaskedBlend;
    }
    for (std::int32_t i = 0; i < clip->height; ++i) {
        const std::int32_t pictureY = clip->sourceY + i;
        RowInputs inputs{mask.Row(pictureY) + clip->sourceX, image.Row(pictureY) + clip->sourceX,
                         nullptr, static_cast<std::uint32_t>(alpha) & kAlphaByte};
        if (work != RowWork::Masked) inputs.scratch = scratch.surface.Row(pictureY) + clip->sourceX;
        WorkRow(work, target.Row(clip->destY + i) + clip->destX, inputs, clip->width);
    }
}

void PrefetchFlake(const Surface& target, std::int32_t x, std::int32_t y, std::int32_t width,
                   std::int32_t height) {
    const std::optional<ClippedCopy> clip =
        ClipCopy(x, y, width, height, {target.Width(), target.Height()}, 0, 0, {width, height});
    if (clip)
        PrefetchRows(target.Row(clip->destY) + clip->destX, clip->width, clip->height,
                     target.Width());
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
