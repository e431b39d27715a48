#include <gtest/gtest.h>

#include <cstdint>

#include "animation/SnowGrid.h"

namespace brumo {
namespace {

// Screen 100 x 50: columns -30..130, rows -30..50.
constexpr double kScreenWidth = 100.0;
constexpr double kScreenHeight = 50.0;
constexpr std::int32_t kUB1 = 130;
constexpr std::int32_t kUB2 = 50;

SnowGrid MakeGrid() {
    SnowGrid grid;
    grid.Allocate(kScreenWidth, kScreenHeight);
    return grid;
}

std::int32_t CountOccupied(const SnowGrid& grid) {
    std::int32_t count = 0;
    for (std::int32_t y = -SnowGrid::kMargin; y <= grid.UB2(); ++y)
        for (std::int32_t x = -SnowGrid::kMargin; x <= grid.UB1(); ++x)
            if (grid.At(x, y) != 0) ++count;
    return count;
}

// ---------------------------------------------------------------- storage

TEST(SnowGridAllocate, BoundsRoundHalvesToEven) {
    SnowGrid grid;
    grid.Allocate(100.5, 50.5);  // 130.5 -> 130, 50.5 -> 50
    EXPECT_EQ(grid.UB1(), 130);
    EXPECT_EQ(grid.UB2(), 50);
    grid.Allocate(101.5, 51.5);  // 131.5 -> 132, 51.5 -> 52
    EXPECT_EQ(grid.UB1(), 132);
    EXPECT_EQ(grid.UB2(), 52);
    grid.Allocate(1024.0, 768.0);
    EXPECT_EQ(grid.UB1(), 1054);
    EXPECT_EQ(grid.UB2(), 768);
}

TEST(SnowGridAllocate, NewGridIsFreeAndReallocationFreesIt) {
    SnowGrid grid = MakeGrid();
    EXPECT_TRUE(grid.IsAllocated());
    EXPECT_EQ(CountOccupied(grid), 0);
    grid.MarkGround(-SnowGrid::kMargin);
    grid.Set(-30, -30, 1);
    ASSERT_GT(CountOccupied(grid), 0);
    grid.Allocate(kScreenWidth, kScreenHeight);
    EXPECT_EQ(CountOccupied(grid), 0);
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

TEST(SnowGridCells, SetAndAtAddressOneCellEach) {
    SnowGrid grid = MakeGrid();
    // The four corners and one inner cell; a wrong row stride would make two
    // of them share a cell.
    grid.Set(-30, -30, 1);
    grid.Set(kUB1, -30, 1);
    grid.Set(-30, kUB2, 1);
    grid.Set(kUB1, kUB2, 1);
    grid.Set(7, 3, 1);
    EXPECT_EQ(grid.At(-30, -30), 1);
    EXPECT_EQ(grid.At(kUB1, -30), 1);
    EXPECT_EQ(grid.At(-30, kUB2), 1);
    EXPECT_EQ(grid.At(kUB1, kUB2), 1);
    EXPECT_EQ(grid.At(7, 3), 1);
    EXPECT_EQ(CountOccupied(grid), 5);
    grid.Set(7, 3, 0);
    EXPECT_EQ(grid.At(7, 3), 0);
    EXPECT_EQ(CountOccupied(grid), 4);
}

TEST(SnowGridCells, OutsideReadsFreeAndWritesAreDropped) {
    SnowGrid grid = MakeGrid();
    EXPECT_TRUE(grid.InGrid(-30, -30));
    EXPECT_TRUE(grid.InGrid(kUB1, kUB2));
    EXPECT_FALSE(grid.InGrid(-31, 0));
    EXPECT_FALSE(grid.InGrid(kUB1 + 1, 0));
    EXPECT_FALSE(grid.InGrid(0, -31));
    EXPECT_FALSE(grid.InGrid(0, kUB2 + 1));
    grid.Set(-31, 0, 1);
    grid.Set(kUB1 + 1, 0, 1);
    grid.Set(0, -31, 1);
    grid.Set(0, kUB2 + 1, 1);
    EXPECT_EQ(grid.At(-31, 0), 0);
    EXPECT_EQ(grid.At(kUB1 + 1, 0), 0);
    EXPECT_EQ(CountOccupied(grid), 0);
}

TEST(SnowGridCells, MarkRowIsInclusiveAndClipped) {
    SnowGrid grid = MakeGrid();
    grid.MarkRow(5, 10, 12);
    EXPECT_EQ(grid.At(9, 5), 0);
    EXPECT_EQ(grid.At(10, 5), 1);
    EXPECT_EQ(grid.At(12, 5), 1);
    EXPECT_EQ(grid.At(13, 5), 0);
    EXPECT_EQ(CountOccupied(grid), 3);

    grid.MarkRow(6, -100, 1000);  // whole row, nothing beyond it
    EXPECT_EQ(CountOccupied(grid), 3 + (kUB1 + 31));
    EXPECT_EQ(grid.At(kUB1, 5), 0);
    EXPECT_EQ(grid.At(-30, 7), 0);

    grid.MarkRow(-31, 0, 10);
    grid.MarkRow(kUB2 + 1, 0, 10);
    grid.MarkRow(8, 20, 19);  // empty span
    EXPECT_EQ(CountOccupied(grid), 3 + (kUB1 + 31));
}

// ------------------------------------------------------ ground and clearing

TEST(SnowGridGround, MarksRowsFromFirstToLastAndColumnsFromZero) {
    SnowGrid grid = MakeGrid();
    grid.MarkGround(45);
    EXPECT_EQ(CountOccupied(grid), 6 * (kUB1 + 1));
    EXPECT_EQ(grid.At(0, 45), 1);
    EXPECT_EQ(grid.At(kUB1, kUB2), 1);
    EXPECT_EQ(grid.At(-1, 45), 0);
    EXPECT_EQ(grid.At(-1, kUB2), 0);
    EXPECT_EQ(grid.At(0, 44), 0);
}

TEST(SnowGridGround, DesktopGroundIsTheLastRowOnly) {
    SnowGrid grid = MakeGrid();
    grid.MarkGround(kUB2);
    EXPECT_EQ(CountOccupied(grid), kUB1 + 1);
    EXPECT_EQ(grid.At(0, kUB2), 1);
    EXPECT_EQ(grid.At(0, kUB2 - 1), 0);
}

TEST(SnowGridGround, FirstRowOutsideTheGrid) {
    SnowGrid grid = MakeGrid();
    grid.MarkGround(kUB2 + 1);
    EXPECT_EQ(CountOccupied(grid), 0);
    grid.MarkGround(-40);  // clipped to the top margin
    EXPECT_EQ(CountOccupied(grid), (kUB2 + 31) * (kUB1 + 1));
    EXPECT_EQ(grid.At(0, -30), 1);
    EXPECT_EQ(grid.At(-1, 0), 0);
}

TEST(SnowGridClear, FreesFromZeroUpAndKeepsTheNegativeMargins) {
    SnowGrid grid = MakeGrid();
    grid.MarkRow(-30, -30, kUB1);  // top margin row
    grid.Set(-1, 10, 1);           // left margin
    grid.Set(-30, kUB2, 1);
    grid.Set(0, 0, 1);
    grid.Set(kUB1, kUB2, 1);
    grid.MarkGround(40);
    grid.ClearGrid();
    EXPECT_EQ(grid.At(0, 0), 0);
    EXPECT_EQ(grid.At(kUB1, kUB2), 0);
    EXPECT_EQ(grid.At(50, 40), 0);
    EXPECT_EQ(grid.At(-1, 10), 1);
    EXPECT_EQ(grid.At(-30, kUB2), 1);
    EXPECT_EQ(grid.At(0, -30), 1);
    EXPECT_EQ(grid.At(kUB1, -30), 1);
    EXPECT_EQ(CountOccupied(grid), (kUB1 + 31) + 2);
}

// ------------------------------------------------------------ FindSupport

TEST(SnowGridFindSupport, CellTouchingTheLastTwoRowsRestsWhereItIs) {
    SnowGrid grid = MakeGrid();  // empty: no row carries anything
    // Cell height 2: rows Y and Y + 1; the last two rows are 49 and 50.
    EXPECT_EQ(grid.FindSupport(10, 47, 2, 2), SnowGrid::kNoSupport);
    EXPECT_EQ(grid.FindSupport(10, 48, 2, 2), 0);
    EXPECT_EQ(grid.FindSupport(10, 49, 2, 2), 0);
    EXPECT_EQ(grid.FindSupport(10, 44, 6, 6), 0);
    EXPECT_EQ(grid.FindSupport(10, 43, 6, 6), SnowGrid::kNoSupport);
}

TEST(SnowGridFindSupport, RowOccupiedFromLeftNeighbourToRightNeighbourSupports) {
    SnowGrid grid = MakeGrid();
    // Flake at x = 10, cell 2 wide: columns 9 to 12 must be occupied.
    grid.MarkRow(22, 9, 12);
    EXPECT_EQ(grid.FindSupport(10, 20, 2, 2), 0);
}

TEST(SnowGridFindSupport, PartlySupportedFlakeSlidesPast) {
    SnowGrid missingLeft = MakeGrid();
    missingLeft.MarkRow(22, 10, 12);
    EXPECT_EQ(missingLeft.FindSupport(10, 20, 2, 2), SnowGrid::kNoSupport);

    SnowGrid missingRight = MakeGrid();
    missingRight.MarkRow(22, 9, 11);
    EXPECT_EQ(missingRight.FindSupport(10, 20, 2, 2), SnowGrid::kNoSupport);

    SnowGrid gap = MakeGrid();
    gap.MarkRow(22, 0, kUB1);
    gap.Set(11, 22, 0);
    EXPECT_EQ(gap.FindSupport(10, 20, 2, 2), SnowGrid::kNoSupport);
}

TEST(SnowGridFindSupport, OffsetDependsOnTheSupportingRow) {
    // Cell 3 x 3 at (10, 20): rows 20 to 23 are searched, columns 9 to 13.
    const std::int32_t expected[] = {-3, -2, -1, 0};
    for (std::int32_t row = 20; row <= 23; ++row) {
        SnowGrid grid = MakeGrid();
        grid.MarkRow(row, 9, 13);
        EXPECT_EQ(grid.FindSupport(10, 20, 3, 3), expected[row - 20]) << "row " << row;
    }
    SnowGrid above = MakeGrid();
    above.MarkRow(19, 9, 13);
    EXPECT_EQ(above.FindSupport(10, 20, 3, 3), SnowGrid::kNoSupport);
    SnowGrid below = MakeGrid();
    below.MarkRow(24, 9, 13);
    EXPECT_EQ(below.FindSupport(10, 20, 3, 3), SnowGrid::kNoSupport);
}

TEST(SnowGridFindSupport, TopmostSupportingRowWins) {
    SnowGrid grid = MakeGrid();
    grid.MarkRow(23, 9, 13);
    grid.MarkRow(21, 9, 13);
    EXPECT_EQ(grid.FindSupport(10, 20, 3, 3), -2);
}

TEST(SnowGridFindSupport, ColumnsLeftOfZeroAreNeverExamined) {
    SnowGrid grid = MakeGrid();
    grid.MarkRow(22, 0, 2);  // column -1 stays free
    EXPECT_EQ(grid.FindSupport(0, 20, 2, 2), 0);
    EXPECT_EQ(grid.FindSupport(-1, 20, 2, 2), 0);  // columns 0 and 1 only

    // A flake wholly left of column 0 has nothing to examine.
    SnowGrid full = MakeGrid();
    full.MarkRow(22, -30, kUB1);
    EXPECT_EQ(full.FindSupport(-2, 20, 2, 2), 0);  // column 0 only
    EXPECT_EQ(full.FindSupport(-3, 20, 2, 2), SnowGrid::kNoSupport);
}

TEST(SnowGridFindSupport, RightColumnStopsAtTheLastColumn) {
    SnowGrid grid = MakeGrid();
    grid.MarkRow(22, kUB1 - 2, kUB1);
    EXPECT_EQ(grid.FindSupport(kUB1 - 1, 20, 2, 2), 0);
    EXPECT_EQ(grid.FindSupport(kUB1, 20, 2, 2), 0);
    EXPECT_EQ(grid.FindSupport(kUB1 + 1, 20, 2, 2), 0);  // only column UB1
    EXPECT_EQ(grid.FindSupport(kUB1 + 2, 20, 2, 2), SnowGrid::kNoSupport);
}

TEST(SnowGridFindSupport, RowsAboveTheTopMarginCarryNothing) {
    SnowGrid grid = MakeGrid();
    grid.MarkRow(-29, 9, 20);
    // Rows -40 to -28 are searched; -40 to -31 lie outside the grid.
    EXPECT_EQ(grid.FindSupport(10, -40, 5, 12), -1);
    SnowGrid empty = MakeGrid();
    EXPECT_EQ(empty.FindSupport(10, -40, 5, 12), SnowGrid::kNoSupport);
}

// ------------------------------------------------------------ SettleFlake

TEST(SnowGridSettle, MarksTheCellBlock) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(10, 20, 3, 2);
    EXPECT_EQ(CountOccupied(grid), 6);
    for (std::int32_t y = 20; y <= 21; ++y)
        for (std::int32_t x = 10; x <= 12; ++x) EXPECT_EQ(grid.At(x, y), 1) << x << "," << y;
    EXPECT_EQ(grid.At(9, 20), 0);
    EXPECT_EQ(grid.At(13, 20), 0);
    EXPECT_EQ(grid.At(10, 19), 0);
    EXPECT_EQ(grid.At(10, 22), 0);
}

TEST(SnowGridSettle, BlockReachingBelowTheLastRowLeavesNoMark) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(10, kUB2, 2, 2);  // rows 50 and 51
    EXPECT_EQ(CountOccupied(grid), 0);
    grid.SettleFlake(10, kUB2 - 1, 2, 2);  // rows 49 and 50
    EXPECT_EQ(CountOccupied(grid), 4);
    EXPECT_EQ(grid.At(10, kUB2), 1);
}

TEST(SnowGridSettle, RightColumnClippedAtTheLastColumn) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(kUB1 - 1, 20, 3, 1);  // columns 129..131 -> 129..130
    EXPECT_EQ(grid.At(kUB1 - 1, 20), 1);
    EXPECT_EQ(grid.At(kUB1, 20), 1);
    EXPECT_EQ(grid.At(-30, 21), 0);  // nothing spills into the next row
    EXPECT_EQ(CountOccupied(grid), 2);

    SnowGrid exact = MakeGrid();
    exact.SettleFlake(kUB1 - 3, 20, 3, 1);  // X + width = UB1: columns 127..129
    EXPECT_EQ(exact.At(kUB1 - 3, 20), 1);
    EXPECT_EQ(exact.At(kUB1 - 1, 20), 1);
    EXPECT_EQ(exact.At(kUB1, 20), 0);
    EXPECT_EQ(CountOccupied(exact), 3);

    SnowGrid beyond = MakeGrid();
    beyond.SettleFlake(kUB1 + 2, 20, 3, 1);
    EXPECT_EQ(CountOccupied(beyond), 0);
}

TEST(SnowGridSettle, NegativeColumnsAreMarked) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(-5, 20, 3, 1);
    EXPECT_EQ(grid.At(-5, 20), 1);
    EXPECT_EQ(grid.At(-3, 20), 1);
    EXPECT_EQ(grid.At(-2, 20), 0);
    EXPECT_EQ(CountOccupied(grid), 3);
}

TEST(SnowGridSettle, MarksLeftOfTheMarginAreDropped) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(-35, 20, 8, 2);  // columns -35..-28 -> -30..-28
    EXPECT_EQ(grid.At(-30, 20), 1);
    EXPECT_EQ(grid.At(-28, 21), 1);
    EXPECT_EQ(grid.At(kUB1, 19), 0);  // nothing wraps into the row above
    EXPECT_EQ(grid.At(kUB1, 20), 0);
    EXPECT_EQ(CountOccupied(grid), 6);
}

TEST(SnowGridSettle, RowsAboveTheMarginAreDropped) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(10, -32, 2, 4);  // rows -32..-29 -> -30..-29
    EXPECT_EQ(grid.At(10, -30), 1);
    EXPECT_EQ(grid.At(11, -29), 1);
    EXPECT_EQ(CountOccupied(grid), 4);
}

// ------------------------------------------------- settled snow as support

TEST(SnowGridSettledSnow, SingleBlockOfSizeOneGivesNoSupportAlone) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(10, 20, 1, 1);
    // The next flake of size 1 falling in column 10 finds nothing above or at
    // the settled cell, down to the row below it.
    for (std::int32_t y = 15; y <= 21; ++y)
        EXPECT_EQ(grid.FindSupport(10, y, 1, 1), SnowGrid::kNoSupport) << "y " << y;
}

TEST(SnowGridSettledSnow, SizeOneBlockSupportsOnceItsNeighboursAreOccupied) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(10, 20, 1, 1);
    grid.Set(9, 20, 1);
    EXPECT_EQ(grid.FindSupport(10, 19, 1, 1), SnowGrid::kNoSupport);
    grid.Set(11, 20, 1);
    EXPECT_EQ(grid.FindSupport(10, 19, 1, 1), 0);  // rests on top of it
    EXPECT_EQ(grid.FindSupport(10, 18, 1, 1), SnowGrid::kNoSupport);
}

TEST(SnowGridSettledSnow, RowUnderTheBlockOccupiedAcrossCarriesTheNextFlake) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(10, 20, 1, 1);
    grid.MarkRow(21, 9, 11);
    // Not on top of the settled cell, but in its place, on the row below.
    EXPECT_EQ(grid.FindSupport(10, 19, 1, 1), SnowGrid::kNoSupport);
    EXPECT_EQ(grid.FindSupport(10, 20, 1, 1), 0);
}

TEST(SnowGridSettledSnow, WideEnoughPileCarriesABlock) {
    SnowGrid grid = MakeGrid();
    grid.SettleFlake(8, 30, 2, 2);
    grid.SettleFlake(10, 30, 2, 2);
    grid.SettleFlake(12, 30, 2, 2);
    // A 2-wide flake at x = 10 needs columns 9 to 12: carried by row 30.
    EXPECT_EQ(grid.FindSupport(10, 29, 2, 2), -1);
    EXPECT_EQ(grid.FindSupport(10, 28, 2, 2), 0);
    EXPECT_EQ(grid.FindSupport(10, 27, 2, 2), SnowGrid::kNoSupport);
    // The pile spans columns 8 to 13: carried from x = 9 to x = 11 only.
    EXPECT_EQ(grid.FindSupport(9, 28, 2, 2), 0);
    EXPECT_EQ(grid.FindSupport(11, 28, 2, 2), 0);
    EXPECT_EQ(grid.FindSupport(8, 28, 2, 2), SnowGrid::kNoSupport);
    EXPECT_EQ(grid.FindSupport(12, 28, 2, 2), SnowGrid::kNoSupport);
}

}  // namespace
}  // namespace brumo
