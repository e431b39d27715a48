// The byte grid of settled snow: bounds, clipped writes, ground, clearing,
// the support search and settling.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "animation/SnowGrid.h"

namespace brumo {
namespace {

// Screen 100 x 50: columns -30..130, rows -30..50.
constexpr std::int32_t kUB1 = 130;
constexpr std::int32_t kUB2 = 50;
constexpr std::int32_t kNo = SnowGrid::kNoSupport;

using Cells = std::set<std::pair<std::int32_t, std::int32_t>>;  // (x, y)

SnowGrid MakeGrid() {
    SnowGrid grid;
    grid.Allocate(100.0, 50.0);
    return grid;
}

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

TEST(SnowGrid, BoundsRoundHalvesToEvenAndEveryAllocationStartsFree) {
    const struct {
        double width, height;
        std::int32_t ub1, ub2;
    } cases[] = {{100.5, 50.5, 130, 50}, {101.5, 51.5, 132, 52}, {1024.0, 768.0, 1054, 768}};
    SnowGrid grid;
    grid.Set(0, 0, 1);  // dropped: nothing allocated yet
    EXPECT_EQ(grid.At(0, 0), 0);
    for (const auto& c : cases) {
        grid.MarkGround(-SnowGrid::kMargin);
        grid.Allocate(c.width, c.height);
        EXPECT_EQ(grid.UB1(), c.ub1);
        EXPECT_EQ(grid.UB2(), c.ub2);
        EXPECT_TRUE(Occupied(grid).empty());
    }
}

TEST(SnowGrid, CellsAreTheirOwnAndWritesOutsideAreDropped) {
    SnowGrid grid = MakeGrid();
    // A wrong row stride would make two corners share a cell.
    const Cells corners = {{-30, -30}, {kUB1, -30}, {-30, kUB2}, {kUB1, kUB2}};
    for (const auto& [x, y] : corners) grid.Set(x, y, 1);
    for (const auto& [x, y] : Cells{{-31, 0}, {kUB1 + 1, 0}, {0, -31}, {0, kUB2 + 1}}) {
        grid.Set(x, y, 1);
        grid.MarkRow(y, x, x);
    }
    grid.MarkRow(5, 10, 12);
    grid.MarkRow(6, -100, 1000);  // the whole row, nothing beyond it
    grid.MarkRow(8, 20, 19);      // empty span
    EXPECT_EQ(Occupied(grid), Block(10, 12, 5, 5, Block(-30, kUB1, 6, 6, corners)));
}

TEST(SnowGrid, GroundMarksFromItsRowDownAndClearingKeepsTheNegativeMargins) {
    const struct {
        std::int32_t first;
        Cells marked;
    } cases[] = {{45, Block(0, kUB1, 45, kUB2)}, {kUB2 + 1, {}}, {-40, Block(0, kUB1, -30, kUB2)}};
    for (const auto& c : cases) {
        SnowGrid grid = MakeGrid();
        grid.MarkGround(c.first);
        EXPECT_EQ(Occupied(grid), c.marked) << c.first;
    }
    SnowGrid grid = MakeGrid();
    grid.MarkRow(-30, -30, kUB1);
    grid.Set(-1, 10, 1);
    grid.Set(-30, kUB2, 1);
    grid.MarkGround(0);
    grid.ClearGrid();
    EXPECT_EQ(Occupied(grid), Block(-30, kUB1, -30, -30, {{-1, 10}, {-30, kUB2}}));
}

TEST(SnowGrid, SupportIsTheTopmostRowOccupiedFromLeftOfTheFlakeToRightOfIt) {
    using Row = std::array<std::int32_t, 3>;  // y, x1, x2
    const struct {
        std::vector<Row> rows;
        std::int32_t x, y, width, height, expected;
    } cases[] = {
        // clang-format off
        // Empty grid: a cell touching the last two rows (49, 50) rests where it is.
        {{}, 10, 47, 2, 2, kNo}, {{}, 10, 48, 2, 2, 0}, {{}, 10, 43, 6, 6, kNo}, {{}, 10, 44, 6,
            6, 0},
        // A 2-wide flake at x = 10 needs columns 9 to 12.
        {{{22, 9, 12}}, 10, 20, 2, 2, 0}, {{{22, 10, 12}}, 10, 20, 2, 2, kNo},
        {{{22, 9, 11}}, 10, 20, 2, 2, kNo},
        // A 3 x 3 cell at (10, 20) searches rows 20 to 23.
        {{{19, 9, 13}}, 10, 20, 3, 3, kNo}, {{{20, 9, 13}}, 10, 20, 3, 3, -3},
        {{{22, 9, 13}}, 10, 20, 3, 3, -1}, {{{24, 9, 13}}, 10, 20, 3, 3, kNo},
        {{{23, 9, 13}, {21, 9, 13}}, 10, 20, 3, 3, -2},
        // Columns left of zero are never examined; the right stops at UB1.
        {{{22, 0, 2}}, -1, 20, 2, 2, 0}, {{{22, -30, kUB1}}, -3, 20, 2, 2, kNo},
        {{{22, kUB1 - 2, kUB1}}, kUB1 + 1, 20, 2, 2, 0}, {{{22, kUB1 - 2, kUB1}}, kUB1 + 2, 20, 2,
            2, kNo},
        // Rows above the grid carry nothing.
        {{{-29, 9, 20}}, 10, -40, 5, 12, -1}, {{}, 10, -40, 5, 12, kNo},
        // clang-format on
    };
    for (const auto& c : cases) {
        SnowGrid grid = MakeGrid();
        for (const Row& row : c.rows) grid.MarkRow(row[0], row[1], row[2]);
        EXPECT_EQ(grid.FindSupport(c.x, c.y, c.width, c.height), c.expected)
            << c.x << "," << c.y << " cell " << c.width << "x" << c.height;
    }
}

TEST(SnowGrid, SettlingMarksTheCellBlockClippedToTheGrid) {
    const struct {
        std::int32_t x, y, width, height;
        Cells marked;
    } cases[] = {
        {10, 20, 3, 2, Block(10, 12, 20, 21)},
        {10, kUB2, 2, 2, {}},  // reaching below the last row: no mark at all
        {10, kUB2 - 1, 2, 2, Block(10, 11, kUB2 - 1, kUB2)},
        {kUB1 - 1, 20, 3, 1, Block(kUB1 - 1, kUB1, 20, 20)},
        {kUB1 - 3, 20, 3, 1, Block(kUB1 - 3, kUB1 - 1, 20, 20)},
        {-35, 20, 8, 2, Block(-30, -28, 20, 21)},
        {10, -32, 2, 4, Block(10, 11, -30, -29)},
    };
    for (const auto& c : cases) {
        SnowGrid grid = MakeGrid();
        grid.SettleFlake(c.x, c.y, c.width, c.height);
        EXPECT_EQ(Occupied(grid), c.marked) << c.x << "," << c.y;
    }
}

TEST(SnowGrid, SettledSnowCarriesOnlyWhereItIsWideEnough) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(10, 20, 1, 1);
    EXPECT_EQ(grid.FindSupport(10, 19, 1, 1), kNo);  // alone it carries nothing
    grid.Set(9, 20, 1);
    grid.Set(11, 20, 1);
    EXPECT_EQ(grid.FindSupport(10, 19, 1, 1), 0);
    EXPECT_EQ(grid.FindSupport(10, 18, 1, 1), kNo);
    for (const std::int32_t x : {30, 32, 34}) grid.SettleFlake(x, 30, 2, 2);
    for (std::int32_t x = 29; x <= 35; ++x)
        EXPECT_EQ(grid.FindSupport(x, 28, 2, 2), x >= 31 && x <= 33 ? 0 : kNo) << x;
}

}  // namespace
}  // namespace brumo
