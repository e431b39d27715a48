// Hostile positions and sizes on small surfaces, checked pixel by pixel
// against the plain 64-bit reference loops: a block, and a copy between two
// surfaces or within one. (A picture flake clips through the same rule; its
// pixels are checked against GDI's under Wine and in the composed frames.)
#include <fuzzer/FuzzedDataProvider.h>

#include <limits>

#include "DrawingReference.h"
#include "FuzzCheck.h"

namespace brumo {
namespace {

constexpr std::int32_t kMaxSide = 24, kNear = 40;

// Near the surface, near either end of the 32-bit range, or anything.
std::int32_t Coordinate(FuzzedDataProvider& input) {
    const int kind = input.ConsumeIntegralInRange(0, 3);
    const std::int32_t offset = input.ConsumeIntegralInRange(0, 2 * kNear);
    if (kind == 0) return offset - kNear;
    if (kind == 1) return std::numeric_limits<std::int32_t>::min() + offset;
    if (kind == 2) return std::numeric_limits<std::int32_t>::max() - offset;
    return input.ConsumeIntegral<std::int32_t>();
}

reference::Pixels Draw(MemorySurface& target, MemorySurface& other, FuzzedDataProvider& input) {
    const std::int32_t x = Coordinate(input), y = Coordinate(input);
    const std::int32_t width = Coordinate(input), height = Coordinate(input);
    const auto color = input.ConsumeIntegral<ColorRef>() & 0xFFFFFF;
    if (input.ConsumeBool()) {
        const reference::Pixels expected = reference::Block(target, x, y, width, height, color);
        DrawBlock(target, x, y, width, height, color);
        return expected;
    }
    const Surface& source = input.ConsumeBool() ? target : other;
    const std::int32_t sourceX = Coordinate(input), sourceY = Coordinate(input);
    const reference::Pixels expected =
        reference::Copy(target, x, y, width, height, source, sourceX, sourceY);
    CopySurface(target, x, y, width, height, source, sourceX, sourceY);
    return expected;
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
    reference::FillPattern(target, input.ConsumeIntegral<std::uint32_t>());
    reference::FillPattern(other, input.ConsumeIntegral<std::uint32_t>());
    fuzz::Check(Draw(target, other, input) == reference::PixelsOf(target));
    return 0;
}
