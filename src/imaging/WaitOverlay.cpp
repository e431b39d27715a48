// Draws the wait box's card with the block primitive: white fill, the snow
// drift (a gentle zig-zag band at the bottom), the flakes at fixed places in
// proportion to the card, and the frame last so nothing covers it.
#include "imaging/WaitOverlay.h"

#include <array>
#include <cstdint>
#include <cstdlib>

#include "imaging/Color.h"
#include "imaging/FastDrawing.h"

namespace brumo {
namespace {

constexpr ColorRef kFrameColor = 0x8C5A32;  // dark blue, RGB(50, 90, 140)
constexpr ColorRef kFlakeColor = 0xE0B48C;  // light blue, RGB(140, 180, 224)
constexpr ColorRef kDriftColor = 0xF8EEE6;  // pale snow, RGB(230, 238, 248): not see-through
constexpr std::int32_t kFrameThickness = 2;
constexpr std::int32_t kFlakeArm = 3;      // pixels from a flake's centre to its tips
constexpr std::int32_t kDriftDivisor = 8;  // the drift's base depth: an eighth of the height
constexpr std::int32_t kWavePeriod = 24;   // pixels from one crest of the drift to the next
constexpr std::int32_t kWaveSlope = 4;     // a crest rises a pixel every this many columns
constexpr std::int32_t kPerMille = 1000;

struct Place {
    std::int32_t x;  // per mille of the width
    std::int32_t y;  // per mille of the height
};
constexpr std::array<Place, 6> kFlakes{
    {{80, 160}, {260, 110}, {520, 140}, {760, 100}, {920, 190}, {130, 560}}};

void DrawFlake(Surface& card, std::int32_t x, std::int32_t y) {
    constexpr std::int32_t span = 2 * kFlakeArm + 1;
    DrawBlock(card, x - kFlakeArm, y, span, 1, kFlakeColor);
    DrawBlock(card, x, y - kFlakeArm, 1, span, kFlakeColor);
    for (std::int32_t d = 1; d < kFlakeArm; ++d)
        for (const std::int32_t sx : {-d, d})
            for (const std::int32_t sy : {-d, d})
                DrawBlock(card, x + sx, y + sy, 1, 1, kFlakeColor);
}

void DrawDrift(Surface& card) {
    const std::int32_t base = card.Height() / kDriftDivisor;
    for (std::int32_t x = 0; x < card.Width(); ++x) {
        const std::int32_t crest = std::abs(x % kWavePeriod - kWavePeriod / 2) / kWaveSlope;
        const std::int32_t depth = base + crest;
        DrawBlock(card, x, card.Height() - depth, 1, depth, kDriftColor);
    }
}

}  // namespace

bool DrawWaitOverlay(Surface& overlay, PictureSize size) {
    overlay.SetBackColor(kWhite);
    if (!overlay.Resize(size.width, size.height)) return false;
    DrawDrift(overlay);
    for (const Place& flake : kFlakes)
        DrawFlake(overlay, size.width * flake.x / kPerMille, size.height * flake.y / kPerMille);
    const std::int32_t w = size.width;
    const std::int32_t h = size.height;
    DrawBlock(overlay, 0, 0, w, kFrameThickness, kFrameColor);
    DrawBlock(overlay, 0, h - kFrameThickness, w, kFrameThickness, kFrameColor);
    DrawBlock(overlay, 0, 0, kFrameThickness, h, kFrameColor);
    DrawBlock(overlay, w - kFrameThickness, 0, kFrameThickness, h, kFrameColor);
    return true;
}

}  // namespace brumo
