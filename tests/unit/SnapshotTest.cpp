// The sticker's colour-keyed copy where its rectangle runs past the source,
// with a key that tells the colour orders apart; the Wine tests hold the rest
// against the real blits, which cannot reach past the source.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "imaging/Snapshot.h"

namespace brumo {
namespace {

TEST(Snapshot, TransparentCopyStopsAtTheSourceEdge) {
    MemorySurface source(2, 2), target(3, 3);  // the target black
    const Pixel red = 0xFF0000, green = 0x00FF00, pixels[] = {0xFFFFFF, red, 0x0000FF, green};
    std::copy(std::begin(pixels), std::end(pixels), source.Row(0));
    TransparentCopy(target, source, {1, 0, 3, 3}, 0, 0, 0x0000FF);  // COLORREF red
    const std::vector<Pixel> expected = {0, 0, 0, green, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<Pixel>(target.Row(0), target.Row(0) + 9), expected);
}

}  // namespace
}  // namespace brumo
