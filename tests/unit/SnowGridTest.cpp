// The byte grid of settled snow: bounds, clipped writes, ground, clearing,
// the support search and settling.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "animation/SnowGrid.h"

namespace brumo {
namespace {

// Screen 100 x 50: columns -30..130, rows -30..50.
constexpr std::int32_t kUB1 = 130, kUB2 = 50, kNo = SnowGrid::kNoSupport;
using Cells = std::set<std::pair<std::int32_t, std::int32_t>>;  // (x, y)

Cells Occupied(const SnowGrid& grid) {
    Cells cells;
    for (std::int32_t y = -SnowGrid::kMargin; y <= grid.UB2(); ++y)
        for (std::int32_t x = -SnowGrid::kMargin; x <= grid.UB1(); ++x)
            if (grid.At(x, y) != 0) cells.insert({x, y});
    return cells;
}
// Columns x1..x2 of rows y1..y2, added to `cells`.
Cells Block(std::int32_t x1, std::int32_t x2, std::int32_t y1, std::int32_t y2, Cells cells = {}) {
    for (std::int32_t y = y1; y <= y2; ++y)
        for (std::int32_t x = x1; x <= x2; ++x) cells.insert({x, y});
    return cells;
}

// Bounds round halves to even; every allocation starts free. Writes outside
// are dropped, and a wrong row stride would make two corners share a cell.
// Ground marks from its row down; clearing keeps the negative margins.
TEST(SnowGrid, BoundsWritesGroundAndClearing) {
    SnowGrid grid;
    grid.Set(0, 0, 1);  // dropped: nothing allocated yet
    EXPECT_EQ(grid.At(0, 0), 0);
    const std::tuple<double, double, std::int32_t, std::int32_t> sizes[] = {
        {100.5, 50.5, 130, 50}, {101.5, 51.5, 132, 52}, {100, 50, kUB1, kUB2}};
    for (const auto& [width, height, ub1, ub2] : sizes) {
        grid.MarkGround(-SnowGrid::kMargin);
        grid.Allocate(width, height);
        EXPECT_EQ(grid.UB1(), ub1);
        EXPECT_EQ(grid.UB2(), ub2);
        EXPECT_TRUE(Occupied(grid).empty());
    }
    const Cells corners = {{-30, -30}, {kUB1, -30}, {-30, kUB2}, {kUB1, kUB2}};
    for (const auto& [x, y] : corners) grid.Set(x, y, 1);
    for (const auto& [x, y] : Cells{{-31, 0}, {kUB1 + 1, 0}, {0, -31}, {0, kUB2 + 1}}) {
        grid.Set(x, y, 1);
        grid.MarkRow(y, x, x);
    }
    grid.MarkRow(5, 10, 12);
    grid.MarkRow(6, -100, 1000);  // the whole row, nothing beyond it
    grid.MarkRow(8, 20, 19);      // empty span
    const Cells marked = Block(10, 12, 5, 5, Block(-30, kUB1, 6, 6, corners));
    EXPECT_EQ(Occupied(grid), marked);
    grid.MarkGround(45);
    EXPECT_EQ(Occupied(grid), Block(0, kUB1, 45, kUB2, marked));
    grid.ClearGrid();
    EXPECT_EQ(Occupied(grid), Block(-30, -1, 6, 6, {{-30, -30}, {kUB1, -30}, {-30, kUB2}}));
}

TEST(SnowGrid, SupportIsTheTopmostRowOccupiedFromLeftOfTheFlakeToRightOfIt) {
    const struct {
        std::int32_t row, x1, x2;  // the one row marked; row 99: none
        std::int32_t x, y, width, height, expected;
    } cases[] = {
        // clang-format off
        // Empty grid: a cell touching the last two rows (49, 50) rests where it is.
        {99, 0, 0, 10, 47, 2, 2, kNo}, {99, 0, 0, 10, 48, 2, 2, 0},
        // A 2-wide flake at x = 10 needs columns 9 to 12.
        {22, 9, 12, 10, 20, 2, 2, 0}, {22, 10, 12, 10, 20, 2, 2, kNo},
        {22, 9, 11, 10, 20, 2, 2, kNo},
        // A 3 x 3 cell at (10, 20) searches rows 20 to 23.
        {19, 9, 13, 10, 20, 3, 3, kNo}, {20, 9, 13, 10, 20, 3, 3, -3},
        {24, 9, 13, 10, 20, 3, 3, kNo},
        // Columns left of zero are never examined; the right stops at UB1.
        {22, 0, 2, -1, 20, 2, 2, 0}, {22, -30, kUB1, -3, 20, 2, 2, kNo},
        {22, kUB1 - 2, kUB1, kUB1 + 1, 20, 2, 2, 0}, {22, kUB1 - 2, kUB1, kUB1 + 2, 20, 2, 2, kNo},
        // clang-format on
    };
    for (const auto& c : cases) {
        SnowGrid grid;
        grid.Allocate(100.0, 50.0);
        grid.MarkRow(c.row, c.x1, c.x2);
        EXPECT_EQ(grid.FindSupport(c.x, c.y, c.width, c.height), c.expected)
            << c.x << "," << c.y << " cell " << c.width << "x" << c.height;
    }
}

// Settling marks the cell's block clipped to the grid, but nothing of a
// cell reaching below the last row.
TEST(SnowGrid, SettlingMarksTheCellBlockClippedToTheGrid) {
    SnowGrid grid;
    grid.Allocate(100.0, 50.0);
    const std::int32_t cells[][4] = {{20, kUB2, 2, 2},
                                     {10, kUB2 - 1, 2, 2},
                                     {kUB1 - 1, 20, 3, 1},
                                     {-35, 20, 8, 2},
                                     {10, -32, 2, 4}};
    for (const auto& c : cells) grid.SettleFlake(c[0], c[1], c[2], c[3]);
    EXPECT_EQ(Occupied(grid), Block(10, 11, kUB2 - 1, kUB2,
                                    Block(kUB1 - 1, kUB1, 20, 20,
                                          Block(-30, -28, 20, 21, Block(10, 11, -30, -29)))));
}

}  // namespace
}  // namespace brumo
