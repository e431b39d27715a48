#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "animation/SnowGrid.h"

namespace brumo {
namespace {

// Screen 100 x 50: columns -30..130, rows -30..50.
constexpr double kScreenWidth = 100.0;
constexpr double kScreenHeight = 50.0;
constexpr std::int32_t kUB1 = 130;
constexpr std::int32_t kUB2 = 50;
constexpr std::int32_t kNo = SnowGrid::kNoSupport;

using Cells = std::set<std::pair<std::int32_t, std::int32_t>>;  // (x, y)

SnowGrid MakeGrid() {
    SnowGrid grid;
    grid.Allocate(kScreenWidth, kScreenHeight);
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

// ---------------------------------------------------------------- storage

TEST(SnowGridAllocate, BoundsRoundHalvesToEvenAndEveryAllocationIsFree) {
    const struct {
        double width, height;
        std::int32_t ub1, ub2;
    } cases[] = {{100.5, 50.5, 130, 50}, {101.5, 51.5, 132, 52}, {1024.0, 768.0, 1054, 768}};
    SnowGrid grid;
    for (const auto& c : cases) {
        grid.MarkGround(-SnowGrid::kMargin);
        grid.Set(-30, -30, 1);
        grid.Allocate(c.width, c.height);
        EXPECT_EQ(grid.UB1(), c.ub1);
        EXPECT_EQ(grid.UB2(), c.ub2);
        EXPECT_TRUE(Occupied(grid).empty());
    }
}

TEST(SnowGridAllocate, EmptyGridReadsFreeAndDropsWrites) {
    SnowGrid grid;
    EXPECT_FALSE(grid.IsAllocated());
    EXPECT_FALSE(grid.InGrid(0, 0));
    grid.Set(0, 0, 1);
    grid.MarkRow(0, 0, 10);
    grid.MarkGround(0);
    grid.SettleFlake(-5, -5, 2, 2);
    grid.ClearGrid();
    EXPECT_EQ(grid.At(0, 0), 0);
    EXPECT_EQ(grid.At(-1, -1), 0);
}

TEST(SnowGridCells, EachCellIsItsOwnAndOutsideWritesAreDropped) {
    SnowGrid grid = MakeGrid();
    // A wrong row stride would make two of the corners share a cell.
    const Cells corners = {{-30, -30}, {kUB1, -30}, {-30, kUB2}, {kUB1, kUB2}};
    for (const auto& [x, y] : corners) EXPECT_TRUE(grid.InGrid(x, y));
    for (const auto& [x, y] : corners) grid.Set(x, y, 1);
    grid.Set(7, 3, 1);
    grid.Set(7, 3, 0);
    for (const auto& [x, y] : Cells{{-31, 0}, {kUB1 + 1, 0}, {0, -31}, {0, kUB2 + 1}}) {
        EXPECT_FALSE(grid.InGrid(x, y));
        grid.Set(x, y, 1);
        EXPECT_EQ(grid.At(x, y), 0);
    }
    EXPECT_EQ(Occupied(grid), corners);
}

TEST(SnowGridCells, MarkRowIsInclusiveAndClipped) {
    SnowGrid grid = MakeGrid();
    grid.MarkRow(5, 10, 12);
    grid.MarkRow(6, -100, 1000);  // whole row, nothing beyond it
    grid.MarkRow(-31, 0, 10);
    grid.MarkRow(kUB2 + 1, 0, 10);
    grid.MarkRow(8, 20, 19);  // empty span
    EXPECT_EQ(Occupied(grid), Block(10, 12, 5, 5, Block(-30, kUB1, 6, 6)));
}

// ------------------------------------------------------ ground and clearing

TEST(SnowGridGround, MarksRowsFromFirstToLastAndColumnsFromZero) {
    const struct {
        std::int32_t first;
        Cells marked;
    } cases[] = {{45, Block(0, kUB1, 45, kUB2)},
                 {kUB2, Block(0, kUB1, kUB2, kUB2)},  // the desktop ground
                 {kUB2 + 1, {}},
                 {-40, Block(0, kUB1, -30, kUB2)}};  // clipped to the top margin
    for (const auto& c : cases) {
        SnowGrid grid = MakeGrid();
        grid.MarkGround(c.first);
        EXPECT_EQ(Occupied(grid), c.marked) << c.first;
    }
}

TEST(SnowGridClear, FreesFromZeroUpAndKeepsTheNegativeMargins) {
    SnowGrid grid = MakeGrid();
    grid.MarkRow(-30, -30, kUB1);  // top margin row
    grid.Set(-1, 10, 1);           // left margin
    grid.Set(-30, kUB2, 1);
    grid.Set(0, 0, 1);
    grid.MarkGround(40);
    grid.ClearGrid();
    EXPECT_EQ(Occupied(grid), Block(-30, kUB1, -30, -30, {{-1, 10}, {-30, kUB2}}));
}

// ------------------------------------------------------------ FindSupport

TEST(SnowGridFindSupport, OffsetToTheTopmostFullySupportingRow) {
    using Row = std::array<std::int32_t, 3>;  // y, x1, x2
    const struct {
        std::vector<Row> rows;
        std::int32_t x, y, width, height, expected;
    } cases[] = {
        // Empty grid: a cell touching the last two rows (49, 50) rests where it is.
        {{}, 10, 47, 2, 2, kNo},
        {{}, 10, 48, 2, 2, 0},
        {{}, 10, 49, 2, 2, 0},
        {{}, 10, 44, 6, 6, 0},
        {{}, 10, 43, 6, 6, kNo},
        // A 2-wide flake at x = 10 needs columns 9 to 12 occupied.
        {{{22, 9, 12}}, 10, 20, 2, 2, 0},
        {{{22, 10, 12}}, 10, 20, 2, 2, kNo},
        {{{22, 9, 11}}, 10, 20, 2, 2, kNo},
        {{{22, 0, 10}, {22, 12, kUB1}}, 10, 20, 2, 2, kNo},
        // A 3 x 3 cell at (10, 20) searches rows 20 to 23, columns 9 to 13.
        {{{19, 9, 13}}, 10, 20, 3, 3, kNo},
        {{{20, 9, 13}}, 10, 20, 3, 3, -3},
        {{{21, 9, 13}}, 10, 20, 3, 3, -2},
        {{{22, 9, 13}}, 10, 20, 3, 3, -1},
        {{{23, 9, 13}}, 10, 20, 3, 3, 0},
        {{{24, 9, 13}}, 10, 20, 3, 3, kNo},
        {{{23, 9, 13}, {21, 9, 13}}, 10, 20, 3, 3, -2},
        // Columns left of zero are never examined; nothing left to examine is no support.
        {{{22, 0, 2}}, 0, 20, 2, 2, 0},
        {{{22, 0, 2}}, -1, 20, 2, 2, 0},
        {{{22, -30, kUB1}}, -2, 20, 2, 2, 0},
        {{{22, -30, kUB1}}, -3, 20, 2, 2, kNo},
        // The right column stops at the last one.
        {{{22, kUB1 - 2, kUB1}}, kUB1 - 1, 20, 2, 2, 0},
        {{{22, kUB1 - 2, kUB1}}, kUB1 + 1, 20, 2, 2, 0},
        {{{22, kUB1 - 2, kUB1}}, kUB1 + 2, 20, 2, 2, kNo},
        // Rows -40 to -31 lie above the grid and carry nothing.
        {{{-29, 9, 20}}, 10, -40, 5, 12, -1},
        {{}, 10, -40, 5, 12, kNo},
    };
    for (const auto& c : cases) {
        SnowGrid grid = MakeGrid();
        for (const Row& row : c.rows) grid.MarkRow(row[0], row[1], row[2]);
        EXPECT_EQ(grid.FindSupport(c.x, c.y, c.width, c.height), c.expected)
            << c.x << "," << c.y << " cell " << c.width << "x" << c.height;
    }
}

// ------------------------------------------------------------ SettleFlake

TEST(SnowGridSettle, MarksTheCellBlockClippedToTheGrid) {
    const struct {
        std::int32_t x, y, width, height;
        Cells marked;
    } cases[] = {
        {10, 20, 3, 2, Block(10, 12, 20, 21)},
        {10, kUB2, 2, 2, {}},  // reaching below the last row: no mark at all
        {10, kUB2 - 1, 2, 2, Block(10, 11, kUB2 - 1, kUB2)},
        {kUB1 - 1, 20, 3, 1, Block(kUB1 - 1, kUB1, 20, 20)},  // nothing spills to the next row
        {kUB1 - 3, 20, 3, 1, Block(kUB1 - 3, kUB1 - 1, 20, 20)},
        {kUB1 + 2, 20, 3, 1, {}},
        {-5, 20, 3, 1, Block(-5, -3, 20, 20)},
        {-35, 20, 8, 2, Block(-30, -28, 20, 21)},  // nothing wraps into the row above
        {10, -32, 2, 4, Block(10, 11, -30, -29)},
    };
    for (const auto& c : cases) {
        SnowGrid grid = MakeGrid();
        grid.SettleFlake(c.x, c.y, c.width, c.height);
        EXPECT_EQ(Occupied(grid), c.marked) << c.x << "," << c.y;
    }
}

// ------------------------------------------------- settled snow as support

TEST(SnowGridSettledSnow, SizeOneBlockSupportsOnlyOnceItsNeighboursAreOccupied) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(10, 20, 1, 1);
    // Alone it carries nothing above or at it, down to the row below it.
    for (std::int32_t y = 15; y <= 21; ++y) EXPECT_EQ(grid.FindSupport(10, y, 1, 1), kNo) << y;
    grid.Set(9, 20, 1);
    EXPECT_EQ(grid.FindSupport(10, 19, 1, 1), kNo);
    grid.Set(11, 20, 1);
    EXPECT_EQ(grid.FindSupport(10, 19, 1, 1), 0);  // rests on top of it
    EXPECT_EQ(grid.FindSupport(10, 18, 1, 1), kNo);

    // The row under it occupied across carries the next flake in its place.
    SnowGrid under = MakeGrid();
    under.SettleFlake(10, 20, 1, 1);
    under.MarkRow(21, 9, 11);
    EXPECT_EQ(under.FindSupport(10, 19, 1, 1), kNo);
    EXPECT_EQ(under.FindSupport(10, 20, 1, 1), 0);
}

TEST(SnowGridSettledSnow, WideEnoughPileCarriesABlock) {
    SnowGrid grid = MakeGrid();
    for (const std::int32_t x : {8, 10, 12}) grid.SettleFlake(x, 30, 2, 2);
    // A 2-wide flake needs columns x - 1 to x + 2; the pile spans 8 to 13.
    EXPECT_EQ(grid.FindSupport(10, 29, 2, 2), -1);
    EXPECT_EQ(grid.FindSupport(10, 27, 2, 2), kNo);
    for (std::int32_t x = 7; x <= 13; ++x)
        EXPECT_EQ(grid.FindSupport(x, 28, 2, 2), x >= 9 && x <= 11 ? 0 : kNo) << x;
}

}  // namespace
}  // namespace brumo
