// The byte grid of settled snow beyond what the composed frames show.
#include <gtest/gtest.h>

#include "animation/SnowGrid.h"

namespace brumo {
namespace {

// Snow piled up above the screen's top edge is not cleared by a restart and
// still carries a flake there.
TEST(SnowGrid, SnowAboveTheTopStillCarriesFlakesAfterARestart) {
    SnowGrid grid;
    grid.Allocate(100.0, 50.0);
    grid.MarkRow(-10, 10, 13);
    grid.ClearGrid();
    EXPECT_EQ(grid.FindSupport(11, -13, 2, 3), 0);
}

}  // namespace
}  // namespace brumo
