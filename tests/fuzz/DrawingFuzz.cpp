// Drawing and copying with hostile positions and sizes on small surfaces,
// checked pixel by pixel against plain 64-bit reference loops written here:
// a Block flake, a picture flake opaque and blended (colour-keyed and black
// snow), and a surface copy between two surfaces or within one.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "common/MessageSink.h"
#include "imaging/FastDrawing.h"
#include "imaging/FlakeBitmap.h"
#include "resources/Language.h"

namespace brumo {
namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr std::int32_t kMaxSide = 24;
constexpr std::int32_t kFlakeTypes = 7;
constexpr std::int32_t kNear = 40;
constexpr std::uint32_t kByte = 0xFF;
constexpr int kByteBits = 8;
constexpr int kPixelBits = 32;

class QuietSink final : public MessageSink {
  public:
    void ShowMessage(const std::string&, MessageStyle) override {}
};

// Positions and sizes: near the surface, near either end of the 32-bit
// range, or anything at all.
std::int32_t Coordinate(FuzzedDataProvider& input) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return input.ConsumeIntegralInRange(-kNear, kNear);
        case 1:
            return kMin + input.ConsumeIntegralInRange(0, kNear);
        case 2:
            return kMax - input.ConsumeIntegralInRange(0, kNear);
        default:
            return input.ConsumeIntegral<std::int32_t>();
    }
}

void Fill(Surface& surface, FuzzedDataProvider& input) {
    const auto seed = input.ConsumeIntegral<std::uint32_t>();
    for (std::int32_t y = 0; y < surface.Height(); ++y)
        for (std::int32_t x = 0; x < surface.Width(); ++x)
            surface.Row(y)[x] = (seed * static_cast<Pixel>(y * surface.Width() + x + 1)) & 0xFFFFFF;
}

std::vector<Pixel> PixelsOf(const Surface& surface) {
    std::vector<Pixel> pixels;
    for (std::int32_t y = 0; y < surface.Height(); ++y)
        for (std::int32_t x = 0; x < surface.Width(); ++x) pixels.push_back(surface.At(x, y));
    return pixels;
}

// The part of the rectangle at `origin` of `length` that covers `at`, as the
// offset into the rectangle, or -1.
std::int64_t Offset(std::int64_t at, std::int64_t origin, std::int64_t length) {
    const std::int64_t offset = at - origin;
    return offset >= 0 && offset < length ? offset : -1;
}

Pixel ReferenceBlend(Pixel source, Pixel destination, std::uint32_t alpha) {
    Pixel result = 0;
    for (int shift = 0; shift < kPixelBits; shift += kByteBits) {
        const std::uint32_t s = (source >> shift) & kByte;
        const std::uint32_t d = (destination >> shift) & kByte;
        result |= ((s * alpha + d * (kByte - alpha) + 127) / kByte) << shift;
    }
    return result;
}

void CheckBlock(MemorySurface& target, FuzzedDataProvider& input) {
    const std::int32_t x = Coordinate(input), y = Coordinate(input);
    const std::int32_t width = Coordinate(input), height = Coordinate(input);
    const auto color = input.ConsumeIntegral<ColorRef>();
    const std::vector<Pixel> before = PixelsOf(target);
    DrawBlock(target, x, y, width, height, color);
    std::size_t i = 0;
    for (std::int32_t ty = 0; ty < target.Height(); ++ty)
        for (std::int32_t tx = 0; tx < target.Width(); ++tx, ++i) {
            const bool inside = Offset(tx, x, width) >= 0 && Offset(ty, y, height) >= 0;
            Check(target.At(tx, ty) == (inside ? ColorRefToPixel(color) : before[i]));
        }
}

void CheckBitmap(MemorySurface& target, FuzzedDataProvider& input) {
    const std::int32_t type = input.ConsumeIntegralInRange(0, kFlakeTypes - 1);
    const ColorRef color =
        input.ConsumeBool() ? kBlack : input.ConsumeIntegral<ColorRef>() & 0xFFFFFF;
    const std::int32_t alpha =
        input.ConsumeBool() ? kOpaqueAlpha : input.ConsumeIntegral<std::int32_t>();
    const std::int32_t x = Coordinate(input), y = Coordinate(input);
    QuietSink sink;
    Language language;
    FlakeBitmap flake;
    Check(LoadFlakeType(flake, type, color, sink, language));
    BlendScratch scratch;
    const std::vector<Pixel> before = PixelsOf(target);
    DrawBitmap(target, x, y, flake, color, alpha, scratch);
    std::size_t i = 0;
    for (std::int32_t ty = 0; ty < target.Height(); ++ty)
        for (std::int32_t tx = 0; tx < target.Width(); ++tx, ++i) {
            const std::int64_t px = Offset(tx, x, flake.Width());
            const std::int64_t py = Offset(ty, y, flake.Height());
            Pixel expected = before[i];
            if (px >= 0 && py >= 0) {
                const auto fx = static_cast<std::int32_t>(px), fy = static_cast<std::int32_t>(py);
                const Pixel image = flake.InvertImage().At(fx, fy);
                const Pixel masked = (before[i] & flake.Mask().At(fx, fy)) | image;
                const Pixel keyed = image != 0 ? image : before[i];
                const Pixel composed = color == kBlack ? masked : keyed;
                expected = alpha == kOpaqueAlpha
                               ? masked
                               : ReferenceBlend(composed, before[i],
                                                static_cast<std::uint32_t>(alpha) & kByte);
            }
            Check(target.At(tx, ty) == expected);
        }
}

void CheckCopy(MemorySurface& target, MemorySurface& other, FuzzedDataProvider& input) {
    const bool sameSurface = input.ConsumeBool();
    const Surface& source = sameSurface ? target : other;
    const std::int32_t destX = Coordinate(input), destY = Coordinate(input);
    const std::int32_t width = Coordinate(input), height = Coordinate(input);
    const std::int32_t sourceX = Coordinate(input), sourceY = Coordinate(input);
    const std::vector<Pixel> before = PixelsOf(target);
    const std::vector<Pixel> from = PixelsOf(source);
    CopySurface(target, destX, destY, width, height, source, sourceX, sourceY);
    std::size_t i = 0;
    for (std::int32_t ty = 0; ty < target.Height(); ++ty)
        for (std::int32_t tx = 0; tx < target.Width(); ++tx, ++i) {
            const std::int64_t dx = Offset(tx, destX, width), dy = Offset(ty, destY, height);
            const std::int64_t sx = sourceX + dx, sy = sourceY + dy;
            const bool copied = dx >= 0 && dy >= 0 && sx >= 0 && sy >= 0 && sx < source.Width() &&
                                sy < source.Height();
            Check(target.At(tx, ty) ==
                  (copied ? from[static_cast<std::size_t>(sy * source.Width() + sx)] : before[i]));
        }
}

}  // namespace
}  // namespace brumo

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    FuzzedDataProvider input(data, size);
    MemorySurface target(input.ConsumeIntegralInRange(0, kMaxSide),
                         input.ConsumeIntegralInRange(0, kMaxSide));
    MemorySurface other(input.ConsumeIntegralInRange(0, kMaxSide),
                        input.ConsumeIntegralInRange(0, kMaxSide));
    Fill(target, input);
    Fill(other, input);
    switch (input.ConsumeIntegralInRange(0, 2)) {
        case 0:
            CheckBlock(target, input);
            break;
        case 1:
            CheckBitmap(target, input);
            break;
        default:
            CheckCopy(target, other, input);
            break;
    }
    return 0;
}
