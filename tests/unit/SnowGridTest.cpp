// The byte grid of settled snow: the support search and settling.
#include <gtest/gtest.h>

#include "animation/SnowGrid.h"

namespace brumo {
namespace {

// A 2-wide flake at x = 10 rests only on a row filled from column 9 to 12;
// a cell reaching below the last row (50) marks nothing.
TEST(SnowGrid, SupportFromLeftOfTheFlakeAndSettlingInsideTheGrid) {
    SnowGrid grid;
    grid.Allocate(100.0, 50.0);
    grid.MarkRow(22, 10, 12);
    EXPECT_EQ(grid.FindSupport(10, 20, 2, 2), SnowGrid::kNoSupport);
    grid.SettleFlake(20, 50, 2, 2);
    EXPECT_EQ(grid.At(20, 50) + grid.At(21, 50), 0);
}

}  // namespace
}  // namespace brumo
